#pragma once
// The one routine that reports an unexpected run-time error to the user: it records the error in
// the thread's error object and shows one warning box through the current notifier. It never
// throws and never stops the program.

#include <string>

namespace vt {

// The number of the errors the program raises itself.
inline constexpr long kErrorPropio = 4001;

// lNumero 0 shows nothing. A non-empty lead-in sMensaje is put above "Error: <n>" and the
// description unless lNumero is the program's own number lNumeroPropio. An empty help file or a
// help context of 0 keeps the current one.
void gsMuestraError(long lNumero, const std::string& sOrigen, const std::string& sDescripcion,
                    const std::string& sArchivoAyuda, const long& lContextoAyuda, const std::string& sMensaje,
                    const long& lNumeroPropio);

// The standard handler of the program's routines: reports the thread's current error with the
// running program's title sTituloApp, "description(source)", no help and the own number 4001
// under sMensaje.
void reportCurrentError(const std::string& sMensaje, const std::string& sTituloApp);

}  // namespace vt
