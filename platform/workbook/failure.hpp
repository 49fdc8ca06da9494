#pragma once
// Why a workbook could not be read; raised as vt::Error whose description is the Spanish reason.

#include <string_view>

namespace vt::workbook {

enum class Failure {
  CannotOpen,
  NotAWorkbook,
  PasswordProtected,
  NotAWorksheet,
  Damaged,
  TooLarge,
  OldFormat,
};

std::string_view failureReason(Failure failure);
long failureNumber(Failure failure);
[[noreturn]] void fail(Failure failure);

}  // namespace vt::workbook
