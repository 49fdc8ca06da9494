#pragma once
// The rules of the folder and file picker that need no window: the size and date texts of the
// list, the file patterns and their match, and the refusals of a folder drop.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/conversions/datetime.hpp"

namespace ambrix {

// The size column: below 1024 bytes the grouped count and " b" ("1,023 b"); above, four digits
// with the unit ("1.000 Kb", "1.500 Kb", "1.000 Mb", "999.5 Kb"). Bytes are a currency value:
// beyond its range the text is "Overflow"; "Out of bounds" when no unit up to "Yb" fits.
// The separators are the regional ones ("," and "." give the texts above).
std::string gfFormatoTamano(double bytes, std::string_view sepMiles, std::string_view sepDecimal);

// Like of text against pattern, case-sensitive: "*" any run of characters, "?" one character,
// "#" one digit, "[abc]", "[a-z]" one of a list, "[!..]" one character not in it; a "-" first or
// last in a list is itself. Characters are UTF-8 code points. An unclosed "[" matches nothing.
bool gfLike(std::string_view text, std::string_view pattern);

// The patterns of sFiltro: split at ";", each trimmed, blanks dropped, case kept.
// "*.xls*" -> {"*.xls*"}; "*.xls; *.csv" -> {"*.xls", "*.csv"}; "" -> {}.
std::vector<std::string> gfPatronesFiltro(std::string_view sFiltro);

// Whether an entry name is listed under the patterns: never a name that begins with "."; else
// when one pattern matches, without regard to case (workbooks from Windows are often "B.XLS").
bool gfNombreVisible(std::string_view nombre, const std::vector<std::string>& patrones);

// The extension whose type is shown: the text after the last ".", lower case; "" when the name
// has no "." or ends with it.
std::string gfExtensionArchivo(std::string_view nombre);

// The local date and time of a modification time (seconds since 1970 UTC) at the given offset
// from UTC. The time 0, which a file system gives for "no time", shows as 1 January 1980, 03:00.
vt::conv::DateTime gfFechaModificado(std::int64_t segundosUtc, std::int64_t desfaseSegundos);

// The list's date text: gfFechaModificado at the machine's offset for that time, in the regional
// short-date format.
std::string gfFechaCorta(std::int64_t segundosUtc, std::string_view formatoFecha);

// Why a folder may not be dropped onto another: the message, or none when the drop may go on.
// Paths are absolute, without trailing "/"; keyed nodes are the tree's places and volumes.
inline constexpr const char* kSoltarSobreSiMisma = "A folder cannot be dropped onto itself.";
inline constexpr const char* kSoltarSobrePadre = "A folder cannot be dropped onto its parent folder.";
inline constexpr const char* kSoltarSobreSubcarpeta =
    "A folder cannot be dropped onto a subfolder of itself.";
inline constexpr const char* kSoltarArchivoSobreArchivo = "A File cannot be dropped onto another File.";
std::optional<std::string> gfRechazoSoltar(std::string_view origen, bool origenConClave,
                                           std::string_view destino, bool destinoConClave);

}  // namespace ambrix
