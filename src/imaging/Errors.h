#pragma once
// The program's exception family: every failure the user can see is one of
// these, carrying the exact text that the error handler shows.
#include <stdexcept>
#include <string>

namespace lumarte {

class ELumarteBase : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // Name used by the application error handler to build "Error Code: ..." texts.
  virtual const char* ClassName() const noexcept { return "Exception"; }
};

#define LUMARTE_EXCEPTION(Name)                                              \
  class Name : public ::lumarte::ELumarteBase {                              \
   public:                                                                   \
    using ::lumarte::ELumarteBase::ELumarteBase;                             \
    const char* ClassName() const noexcept override { return #Name; }        \
  };

LUMARTE_EXCEPTION(ELumarteError)
LUMARTE_EXCEPTION(ERevedBitmap)
LUMARTE_EXCEPTION(EUnsupportedFileFormat)
LUMARTE_EXCEPTION(EInOutError)
LUMARTE_EXCEPTION(EStreamCreate)
LUMARTE_EXCEPTION(EDBException)
LUMARTE_EXCEPTION(EWaveletException)
// A text that should hold a number does not ("'x' is not a valid integer value").
LUMARTE_EXCEPTION(EConvertError)
// Fixed-text format errors ("CRC error", "Invalid PNG header", ...).
LUMARTE_EXCEPTION(EFormatError)
// A broken internal precondition (list index, bit count): reported with the
// unit and line instead of aborting the program.
LUMARTE_EXCEPTION(EAssertionFailed)
// Silent: the user cancelled a step (a dialog inside a load); the error
// handler shows nothing.
LUMARTE_EXCEPTION(EAbort)
// The system refused a window, picture or similar resource: the program closes
// its images and ends.
LUMARTE_EXCEPTION(EOutOfResources)

#undef LUMARTE_EXCEPTION

[[noreturn]] void RaiseAssertion(const char* file, int line, const char* what);

}  // namespace lumarte

#define LUMARTE_ASSERT(cond)                                                  \
  do {                                                                        \
    if (!(cond)) ::lumarte::RaiseAssertion(__FILE__, __LINE__, #cond);        \
  } while (0)
