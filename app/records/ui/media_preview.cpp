#include "records/ui/media_preview.h"

#include "platform/file.h"
#include "platform/temp_file.h"
#include "records/media_files.h"
#include "records/media_record.h"
#include "ui_common/custom_controls.h"

MediaPreviewFile::~MediaPreviewFile()
{
    if (!path_.empty())
        platform::RemoveFile(path_);
}

void MediaPreviewFile::Show(HWND preview, MediaRecord& media)
{
    if (!media.HasData())
        media.LoadData();
    Replace(preview, WriteMediaTemporaryFile(media, platform::TemporaryFolder()));
}

void MediaPreviewFile::Clear(HWND preview)
{
    Replace(preview, {});
}

void MediaPreviewFile::Replace(HWND preview, std::string path)
{
    SendMessageA(preview, ControlSetMessage, 0, path.empty() ? 0 : reinterpret_cast<LPARAM>(path.c_str()));
    // The control has let the former file go.
    if (!path_.empty())
        platform::RemoveFile(path_);
    path_ = std::move(path);
}
