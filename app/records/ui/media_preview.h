// The file from which a PREVIEW control shows a media object: written under a name of its own in the
// temporary folder (never the stored name), and removed once the control shows another file or none, since
// the control may hold the file open while it shows it.
#pragma once

#include <windows.h>

#include <string>

class MediaRecord;

class MediaPreviewFile {
public:
    MediaPreviewFile() = default;
    MediaPreviewFile(const MediaPreviewFile&) = delete;
    MediaPreviewFile& operator=(const MediaPreviewFile&) = delete;
    // Removes the last file; by then the control that showed it is gone.
    ~MediaPreviewFile();

    // Shows the media's bytes (loaded first when not held) in `preview`.
    void Show(HWND preview, MediaRecord& media);
    // Shows nothing.
    void Clear(HWND preview);
    const std::string& Path() const { return path_; }

private:
    void Replace(HWND preview, std::string path);

    std::string path_;
};
