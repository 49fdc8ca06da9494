#pragma once
// The profile routines of the program: one value of an INI file or of the regional profile, one
// value written, whether a file exists. Names, defaults and the file name are trimmed of spaces.

#include <string>
#include <string_view>

namespace vt {

// A value of the INI file, or the trimmed default when the file or key is missing; a key that is
// present with nothing after "=" gives "". The whole value is returned, however long. A size
// below 1 becomes 255 and is written back, as callers have always seen.
std::string gfLeeIni(std::string_view sArchivo, std::string_view sSeccion, std::string_view sClave,
                     std::string_view sDefecto, long& lTamano);
std::string gfLeeIni(std::string_view sArchivo, std::string_view sSeccion, std::string_view sClave,
                     std::string_view sDefecto);

// The same from the regional profile file (see regionalProfilePath).
std::string gfLeeWinIni(std::string_view sSeccion, std::string_view sClave, std::string_view sDefecto,
                        long& lTamano);

// Writes one value; failures (missing folder, no permission, a value with a line break) show
// nothing and stop nothing, as callers expect. The result says whether the value was written, for
// a caller that must not claim a write that did not happen.
bool gsEscribeIni(std::string_view sSeccion, std::string_view sClave, std::string_view sValor,
                  std::string_view sArchivo);

// Whether the trimmed path names something that is not a folder; wildcards and "" give false.
bool gfExisteArchivo(std::string_view sRuta);

// The regional profile file: $AMBRIX_WIN_INI, else $XDG_CONFIG_HOME/ambrix/win.ini, else
// ~/.config/ambrix/win.ini.
std::string regionalProfilePath();

}  // namespace vt
