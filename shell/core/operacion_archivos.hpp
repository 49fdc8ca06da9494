#pragma once
// The file operation behind a folder drop in the picker: a folder moved into another on disk.

#include <filesystem>
#include <string>
#include <system_error>

namespace ambrix {

inline constexpr int kOperacionMover = 4;
inline constexpr const char* kOperacionFallida = "Operation Failed";

// Moves the folder sOrigen into the folder sDestino (iCodigo 4; any other code is refused).
// Within one file system the folder is renamed; across file systems it is copied under a hidden
// name in sDestino, renamed into place and then removed from its old place. A destination that
// already holds an entry of that name is refused with "Operation Failed" rather than merged or
// replaced. Every failure shows one critical box (the system's error number, or "Operation
// Failed") and sets bFallo; it leaves the disk as it was, except when the old place cannot be
// removed after a complete copy, which then stays in its new place so that nothing is lost.
void OperacionArchivos(const std::string& sOrigen, const std::string& sDestino, int iCodigo, bool& bFallo);

// Creates the folder sNombre inside sCarpeta, as the picker's new-folder button does. Raises
// 52 for a name that is no single folder name ("", ".", "..", or holding "/"), 58 when the name
// is taken, 70 when creating is not allowed, 76 when sCarpeta does not exist, 75 otherwise.
void CrearCarpeta(const std::string& sCarpeta, const std::string& sNombre);

// The rename step of the move. Tests replace it to force a failure, or a move across file
// systems (std::errc::cross_device_link). Returns the previous step; nullptr restores the real one.
using RenombrarCarpeta = std::error_code (*)(const std::filesystem::path& desde,
                                             const std::filesystem::path& hacia);
RenombrarCarpeta setRenombrarCarpeta(RenombrarCarpeta paso);

}  // namespace ambrix
