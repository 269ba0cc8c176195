#pragma once
// The three parts of a profile with one elastic-laying bend: the straight before the arc, the
// arc between its tangent points and the straight after it. A station's elevation comes from
// the part that holds it, wherever its column stands in the point table; the 计算书 presents
// the formula of that part only.
#include <string>
#include <vector>

#include "model/calc.h"

namespace pylora {

enum class ProfilePart { EntryStraight, Arc, ExitStraight };

// The part holding the station: the arc strictly between its tangent points; a straight up to
// and from them (at a tangent point the straight and the arc meet).
ProfilePart partAt(const Num& station, const Num& arcStart, const Num& arcEnd);

// Ends the run where the stations (in table order) leave chainage order, naming the station out
// of line: the earlier of the two when it also lies beyond the station after them, else the later.
void requireChainageOrder(const Form& form, const std::vector<std::string>& stations);

// Notes which part gave the elevation field, so that the 计算书 presents that part's formula.
void notePart(Form& form, const std::string& elevationField, ProfilePart part);

// The three formulas of one station's elevation, one a part, each holding while the run noted
// that part for the field.
std::vector<formula::Formula> partFormulas(const std::string& elevationField, const formula::Expr& entry,
                                           const formula::Expr& arc, const formula::Expr& exit);

}  // namespace pylora
