#include "core/date_pictures.h"

#include "settings/settings.h"

namespace {
constexpr const char* InputPictures[] = {
    "{dd}{mm}{yyyy}",   "{mm}{dd}{yyyy}",   "{yyyy}{mm}{dd}",   "{dd}.{mm}.{yyyy}",
    "{mm}.{dd}.{yyyy}", "{yyyy}.{mm}.{dd}", "{dd}-{mm}-{yyyy}",
};
constexpr int InputPictureCount = sizeof InputPictures / sizeof InputPictures[0];
static_assert(InputPictureCount == InputFormatCount);
} // namespace

const char* InputDatePicture(int inputFormat)
{
    return inputFormat >= 0 && inputFormat < InputPictureCount ? InputPictures[inputFormat] : InputPictures[0];
}

const char* CurrentInputDatePicture()
{
    return InputDatePicture(CurrentSettings.dateFormat.InputFormat);
}

const char* DisplayDatePicture(int number)
{
    const DateFormatSettings& formats = CurrentSettings.dateFormat;
    const int count = formats.FormatCount < DateFormatCapacity ? formats.FormatCount : DateFormatCapacity;
    if (number < 0 || number >= count)
        return nullptr;
    return formats.Formats[number];
}
