#include "framework/Exceptions.h"

namespace fw {

std::string DescribeException(std::exception_ptr e) {
  try {
    if (e) std::rethrow_exception(e);
  } catch (const RuntimeException& r) {
    return r.Message().empty() ? r.ClassName() : r.ClassName() + ": " + r.Message();
  } catch (const std::exception& s) {
    return std::string("std::exception: ") + s.what();
  } catch (...) {
    return "unknown exception";
  }
  return "no exception";
}

}  // namespace fw
