// The date pictures: the fixed input pictures that say in which order dates are typed, and the
// display pictures of the user's date-format list.
#pragma once

// The input picture of an InputFormat value 0..6 ("{dd}{mm}{yyyy}" ... "{dd}-{mm}-{yyyy}"); a value
// outside the table gives the first picture.
const char* InputDatePicture(int inputFormat);
// The input picture chosen in the settings: the order in which editors show and read dates.
const char* CurrentInputDatePicture();
// The picture of `number` (counted from 0) in the settings' date-format list; null when the list has
// no such picture.
const char* DisplayDatePicture(int number);
