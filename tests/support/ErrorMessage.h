#pragma once
// The text of the program's exception that f raises, or "(no exception)".
#include <functional>
#include <string>

#include "imaging/Errors.h"

inline std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const lumarte::ELumarteBase& e) {
    return e.what();
  }
  return "(no exception)";
}
