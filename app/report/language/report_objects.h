// The picture, text box, sector, system and chart objects of report scripts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/local_time.h"

class MediaRecord;
class ReportHost;

// An image taken from a media object of the database, printed with an optional caption.
class ReportPicture {
public:
    // Takes the image of a loaded media object whose file was a picture ("bmp", "gif", "jpg", "jpeg",
    // "exif", "png", "tif", "tiff", "ico", "icon", "wmf", "emf", in any case); any other media object
    // leaves the picture empty. The caption becomes the media object's description.
    void SetFromMedia(const MediaRecord& media);
    void SetCaption(const char* text);

    bool HasImage() const { return image_ != nullptr; }
    const std::uint8_t* Image() const { return image_.get(); }
    std::uint32_t ImageSize() const { return imageSize_; }
    // Null until a caption was set.
    const char* Caption() const { return hasCaption_ ? caption_.c_str() : nullptr; }
    const char* Extension() const { return extension_; }

    std::uint8_t resize = 1;
    std::uint8_t border = 0;
    std::uint32_t borderColour = 0;
    std::uint16_t maxWidth = 1000;
    std::uint16_t maxHeight = 1000;
    std::uint8_t align = 0;

private:
    std::unique_ptr<std::uint8_t[]> image_;
    std::uint32_t imageSize_ = 0;
    std::string caption_;
    bool hasCaption_ = false;
    char extension_[5] = {};
};

// The fields text boxes and sectors share.
class ReportFramedText {
public:
    void SetText(const char* text);
    // Null until a text was set.
    const char* Text() const { return hasText_ ? text_.c_str() : nullptr; }

    std::uint8_t border = 0;
    std::uint8_t fontSize = 0;
    std::uint8_t style = 0;
    std::uint8_t align = 1;
    std::uint32_t borderColour = 0;
    std::uint32_t textColour = 0;
    std::int32_t backgroundColour = -1;
    std::int32_t marginLeft = 0;
    std::int32_t marginTop = 0;
    std::int32_t marginRight = 0;
    std::int32_t marginBottom = 0;

protected:
    // The text takes the colour of the report's normal text as the settings hold it now.
    explicit ReportFramedText(const ReportHost& host);

private:
    std::string text_;
    bool hasText_ = false;
};

// A framed text placed on the page of a graphics report.
class ReportTextBox : public ReportFramedText {
public:
    explicit ReportTextBox(const ReportHost& host) : ReportFramedText(host) {}

    std::uint16_t angle = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

// A ring or pie sector with a text, for graphics reports.
class ReportSector : public ReportFramedText {
public:
    explicit ReportSector(const ReportHost& host) : ReportFramedText(host) {}

    std::uint16_t positionAngle = 0;
    std::uint16_t widthAngle = 0;
    std::uint16_t outerRadius = 0;
    std::uint16_t innerRadius = 0;
};

// The local date and time at which the object was made: the start of the run.
class ReportSystem {
public:
    explicit ReportSystem(const ReportHost& host);
    const platform::LocalTime& Time() const { return time_; }

private:
    platform::LocalTime time_;
};

// A chart's data and look; the drawing belongs to the windows.
class Chart {
public:
    static constexpr int MaxValues = 32;
    static constexpr std::size_t MaxLabel = 31;

    struct Value {
        char label[MaxLabel + 1];
        double value;
    };

    // Appends a value, the label cut to 31 characters; ignored when 32 values are held.
    void AddValue(const char* label, double value);
    int Count() const { return count_; }
    const Value& At(int index) const { return values_[index]; }

    std::int32_t type = 1; // 1 bars, 2 filled area, other values lines
    std::int32_t width = 100;
    std::int32_t height = 100;
    std::int32_t marginLeft = 100;
    std::int32_t marginTop = 20;
    std::int32_t marginRight = 20;
    std::int32_t marginBottom = 50;
    std::int32_t align = 0;
    std::int32_t border = 0;
    std::uint32_t borderColour = 0;
    std::uint32_t colour = 0;
    std::int32_t showValues = 0;
    std::int32_t showLabels = 0;
    std::int32_t showXGrid = 0;
    std::int32_t showYGrid = 0;
    std::int32_t fontSize = 0;

private:
    Value values_[MaxValues] = {};
    int count_ = 0;
};
