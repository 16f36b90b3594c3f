#include "editor/model/ErrorReport.h"

#include <filesystem>
#include <future>
#include <ios>
#include <new>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

#include "imaging/Errors.h"
#include "imaging/FileUtils.h"

namespace lumarte::editor {

const char* const kOutOfResourcesMessage =
    "Out of Ressources! Lumarte will terminate after closing all images.";

namespace {

// Most specific first: several standard exceptions derive from others.
std::string StandardClassName(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const ELumarteBase& e) {
    return e.ClassName();
  } catch (const std::bad_alloc&) {
    return "EOutOfMemory";
  } catch (const std::filesystem::filesystem_error&) {
    return "EInOutError";
  } catch (const std::ios_base::failure&) {
    return "EInOutError";
  } catch (const std::system_error&) {
    return "EOSError";
  } catch (const std::invalid_argument&) {
    return "EConvertError";
  } catch (const std::out_of_range&) {
    return "ERangeError";
  } catch (const std::length_error&) {
    return "ERangeError";
  } catch (const std::overflow_error&) {
    return "EOverflow";
  } catch (const std::underflow_error&) {
    return "EUnderflow";
  } catch (const std::range_error&) {
    return "ERangeError";
  } catch (const std::domain_error&) {
    return "EMathError";
  } catch (const std::bad_cast&) {
    return "EInvalidCast";
  } catch (...) {
    return "Exception";
  }
}

}  // namespace

std::string ExceptionClassName(const std::exception_ptr& error) {
  return error ? StandardClassName(error) : "Exception";
}

std::string ErrorCodeFromClassName(const std::string& className) {
  std::string upper = imaging::UpperCase(className);
  auto outOf = upper.find("OUTOF");
  if (outOf != std::string::npos) {
    auto suffix = upper.find("EXCEPTION", outOf);
    return className.substr(outOf, suffix == std::string::npos ? std::string::npos
                                                                : suffix - outOf);
  }
  std::string code = className.empty() ? className : className.substr(1);
  auto suffix = imaging::UpperCase(code).find("EXCEPTION");
  return suffix == std::string::npos ? code : code.substr(0, suffix);
}

TErrorReport TErrorClassifier::Classify(const std::exception_ptr& error) {
  std::string name = ExceptionClassName(error);
  if (name == "EOutOfResources" && !OutOfResourcesSeen) {
    OutOfResourcesSeen = true;
    return {TErrorAction::CloseAllAndTerminate, kOutOfResourcesMessage};
  }
  if (name == "ELumarteError") {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      if (*e.what()) return {TErrorAction::ShowMessage, e.what()};
    }
  }
  return {TErrorAction::ShowMessage, "Error Code: " + ErrorCodeFromClassName(name)};
}

}  // namespace lumarte::editor
