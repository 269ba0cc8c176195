#pragma once
// DegreesToDms: an angle in decimal degrees shown as whole degrees, minutes and seconds, each
// after its sign position and followed by its mark (" 10° 6′ 0″" without the blanks between).
// Every window that shows such angles holds six hidden scratch fields: Text73..Text75 with the
// marks ° ′ ″ and Text76..Text78 that receive the three numbers of the latest conversion.
#include <string>

#include "model/calc.h"

namespace pylora {

// The three numbers of a conversion, rounded to the whole second shown and carried: 10.1 gives
// 10° 6′ 0″, 10.9999999 gives 11° 0′ 0″, and −10.5 gives −11° 30′ 0″ (counted up from the
// lower whole degree).
struct DmsParts {
    double degrees;
    double minutes;
    double seconds;
};
DmsParts splitDegrees(const Num& degrees);

// The sign-position text of a number: one blank before a number that is zero or positive,
// the minus sign before a negative one (" 10", "-11", " 84.6").
std::string signPositionText(double value);

// Adds the hidden scratch fields Text73..Text78 to the window body.
void addDmsScratchFields(FormDefinition& definition);

// Converts the angle, stores the three number texts in Text76..Text78 and returns the display
// text built with the marks read from Text73..Text75.
std::string DegreesToDms(Form& form, const Num& degrees);
// The same for the text of an angle field, read strictly as FieldValue reads it.
std::string DegreesToDms(Form& form, const std::string& angleField);

}  // namespace pylora
