// The place list's cache of loaded places, one per Database. The place list fills the two arrays; every
// write or delete of a place empties them, and the place list takes empty arrays as "not loaded".
#pragma once

#include <cstddef>
#include <cstdlib>

class Database;

class PlaceCache {
public:
    explicit PlaceCache(Database& database) : database_(&database) {}
    PlaceCache(const PlaceCache&) = delete;
    PlaceCache& operator=(const PlaceCache&) = delete;
    ~PlaceCache() { Clear(); }

    // Frees both arrays; their pointers become null.
    void Clear();
    bool IsLoaded() const { return sortedPlaces != nullptr || indexedPlaces != nullptr; }
    Database& OwnerDatabase() const { return *database_; }

    // Heap arrays (std::malloc) owned by the cache once the place list stores them here.
    void* sortedPlaces = nullptr;
    std::size_t sortedCount = 0;
    void* indexedPlaces = nullptr;
    std::size_t indexedCount = 0;
    int activePage = 0;

private:
    Database* database_;
};
