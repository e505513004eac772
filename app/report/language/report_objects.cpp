#include "report/language/report_objects.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "records/media_record.h"
#include "report/language/report_host.h"

namespace {

bool EqualIgnoringCase(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i])
            return false;
    }
    return true;
}

} // namespace

void ReportPicture::SetFromMedia(const MediaRecord& media)
{
    image_.reset();
    imageSize_ = 0;
    caption_.clear();
    hasCaption_ = false;
    extension_[0] = '\0';

    std::string name = media.FileName();
    std::size_t point = name.rfind('.');
    if (point == std::string::npos)
        return;
    std::string extension = name.substr(point + 1);
    static const char* const accepted[] = {"bmp", "gif",  "jpg", "jpeg", "exif", "png",
                                           "tif", "tiff", "ico", "icon", "wmf",  "emf"};
    if (std::none_of(std::begin(accepted), std::end(accepted),
                     [&](const char* known) { return EqualIgnoringCase(extension, known); }))
        return;

    std::uint32_t size = media.Data() != nullptr ? media.DataSize() : 0;
    std::unique_ptr<std::uint8_t[]> image(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]);
    if (!image)
        return;
    if (size != 0)
        std::memcpy(image.get(), media.Data(), size);
    image_ = std::move(image);
    imageSize_ = size;
    std::strncpy(extension_, extension.c_str(), 4);
    extension_[4] = '\0';
    SetCaption(media.Description().c_str());
}

void ReportPicture::SetCaption(const char* text)
{
    caption_ = text != nullptr ? text : "";
    hasCaption_ = true;
}

ReportFramedText::ReportFramedText(const ReportHost& host) : textColour(host.NormalFontColor()) {}

void ReportFramedText::SetText(const char* text)
{
    text_ = text != nullptr ? text : "";
    hasText_ = true;
}

ReportSystem::ReportSystem(const ReportHost& host) : time_(host.Now()) {}

void Chart::AddValue(const char* label, double value)
{
    if (count_ >= MaxValues)
        return;
    Value& entry = values_[count_++];
    std::memset(entry.label, 0, sizeof entry.label);
    if (label != nullptr)
        std::strncpy(entry.label, label, MaxLabel);
    entry.value = value;
}
