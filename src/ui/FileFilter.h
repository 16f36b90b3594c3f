#pragma once
// The program's file dialog filters ("desc|pattern;pattern|...") as Qt wants
// them.
#include <string>

#include <QString>

namespace lumarte::ui {

// Each description's own parenthesised pattern list is replaced by the real
// one; entries without a pattern are left out.
QString QtFileFilter(const std::string& filter);

}  // namespace lumarte::ui
