#include "core/place_cache.h"

void PlaceCache::Clear()
{
    std::free(sortedPlaces);
    std::free(indexedPlaces);
    sortedPlaces = nullptr;
    indexedPlaces = nullptr;
    sortedCount = 0;
    indexedCount = 0;
}
