#pragma once
// Generated rows of May 2013 for the demo company, as a user types them into each sheet: every
// column filled, distinct voucher numbers. With `conFallas` every 20th row (rows 8, 28, 48, ... of
// the sheet) carries one fault that its validator reports, so that a validator's log is written
// too; without it every row passes, so that the whole job stores and writes them.

#include <string>

#include "platform/automation/string_matrix.hpp"

namespace bench {

inline const char* const kProveedores[] = {"1791234561001", "1710034065001", "0992314702001",
                                           "1760012320001"};

inline void filaCompra(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  const std::string dia = std::to_string(10 + i % 18);
  sheet.set(r, 0, "1792045185001");
  sheet.set(r, 1, "5");
  sheet.set(r, 2, "2013");
  sheet.set(r, 3, dia + "/05/2013");
  sheet.set(r, 4, dia + "/05/2013");
  sheet.set(r, 5, "R");
  sheet.set(r, 6, kProveedores[i % 4]);
  sheet.set(r, 10, "1");
  sheet.set(r, 11, "1");
  sheet.set(r, 12, conFallas && i % 20 == 7 ? "0" : "1001");
  sheet.set(r, 13, std::to_string(1 + i));
  sheet.set(r, 14, "1234567890");
  sheet.set(r, 15, "0");
  sheet.set(r, 16, std::to_string(i % 500));
  sheet.set(r, 17, std::to_string(100 + i % 50));
  sheet.set(r, 18, std::to_string((100 + i % 50) * 12 / 100.0));
  sheet.set(r, 23, "L");
  sheet.set(r, 32, i % 7 == 0 ? "1-20" : "1");
  switch (i % 5) {
    case 0:  // VAT and two income-tax withholdings with their voucher, paid abroad
      sheet.set(r, 20, "3.60");
      sheet.set(r, 23, "E");
      sheet.set(r, 24, "5");
      sheet.set(r, 25, "N");
      sheet.set(r, 26, "S");
      sheet.set(r, 33, "312");
      sheet.set(r, 34, "100");
      sheet.set(r, 35, "1");
      sheet.set(r, 36, "1");
      sheet.set(r, 37, "344");
      sheet.set(r, 38, "200");
      sheet.set(r, 39, "1.75");
      sheet.set(r, 40, "3.50");
      sheet.set(r, 48, "1001");
      sheet.set(r, 49, std::to_string(1 + i));
      sheet.set(r, 50, "1112223334");
      sheet.set(r, 51, sheet.get(r, 3));
      break;
    case 1:  // a dividend
      sheet.set(r, 33, "345");
      sheet.set(r, 34, "150000");
      sheet.set(r, 35, "0");
      sheet.set(r, 36, "3500");
      sheet.set(r, 45, "02/05/2013");
      sheet.set(r, 46, "0");
      sheet.set(r, 47, "2012");
      sheet.set(r, 48, "1001");
      sheet.set(r, 49, std::to_string(1 + i));
      sheet.set(r, 50, "1112223334");
      sheet.set(r, 51, sheet.get(r, 3));
      break;
    case 2:  // a credit note on an earlier invoice
      sheet.set(r, 11, "4");
      sheet.set(r, 27, "1");
      sheet.set(r, 28, "02/05/2013");
      sheet.set(r, 29, "1001");
      sheet.set(r, 30, std::to_string(1 + i / 2));
      sheet.set(r, 31, "1112345678");
      break;
    default:  // two lines of one reimbursement document
      sheet.set(r, 11, "41");
      sheet.set(r, 13, std::to_string(1 + i - i % 5));
      sheet.set(r, 52, "R");
      sheet.set(r, 53, "1791234561001");
      sheet.set(r, 55, "1");
      sheet.set(r, 56, "05/05/2013");
      sheet.set(r, 57, "1001");
      sheet.set(r, 58, std::to_string(i));
      sheet.set(r, 59, "1234567890");
      sheet.set(r, 62, "100");
      sheet.set(r, 63, "12");
      break;
  }
}

// The few clients that come back all month: a company, a person, the final consumer and a
// foreigner.
inline const char* const kClientes[][2] = {
    {"R", "1791234561001"}, {"C", "1710034065"}, {"F", "9999999999999"}, {"P", "AB123456"}};
inline const char* const kTipos[] = {"18", "18", "4", "5", "18"};

// The n-th of many distinct identity cards, each with its province (01 to 24), a third digit
// below 6 and its check digit.
inline std::string cedula(long n) {
  std::string c = (n % 24 < 9 ? "0" : "") + std::to_string(1 + n % 24) + std::to_string(n / 24 % 6);
  const std::string resto = std::to_string(1000000 + n / 144 % 1000000);
  c += resto.substr(1);
  int suma = 0;
  for (int i = 0; i < 9; ++i) {
    int producto = (c[i] - '0') * (i % 2 ? 1 : 2);
    suma += producto > 9 ? producto - 9 : producto;
  }
  return c + std::to_string((10 - suma % 10) % 10);
}

inline void filaVenta(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  const long gravada = 100 + i % 50;
  sheet.set(r, 0, "1792045185001");
  sheet.set(r, 1, "5");
  sheet.set(r, 2, "2013");
  // A shop with identified customers: three rows in four are each a client of their own (a person
  // by identity card or by RUC), the fourth one of the few clients who come back.
  if (i % 4 == 3) {
    sheet.set(r, 3, kClientes[i / 4 % 4][0]);
    sheet.set(r, 4, kClientes[i / 4 % 4][1]);
    sheet.set(r, 5, "Cliente frecuente " + std::to_string(i / 4 % 4));
  } else {
    const long n = i - i / 4;
    sheet.set(r, 3, n % 2 ? "R" : "C");
    sheet.set(r, 4, cedula(n) + (n % 2 ? "001" : ""));
    sheet.set(r, 5, "Cliente " + std::to_string(n));
  }
  sheet.set(r, 6, conFallas && i % 20 == 7 ? "0" : "1");
  sheet.set(r, 7, kTipos[i % 5]);
  sheet.set(r, 8, std::to_string(1 + i % 9));
  sheet.set(r, 9, "0");
  sheet.set(r, 10, std::to_string(i % 300));
  sheet.set(r, 11, std::to_string(gravada));
  sheet.set(r, 12, std::to_string(gravada * 12 / 100.0));
  sheet.set(r, 13, i % 3 == 0 ? "3.60" : "0");
  sheet.set(r, 14, i % 3 == 0 ? "1.00" : "0");
  sheet.set(r, 15, std::to_string(10 + i % 18) + "/05/2013");
  sheet.set(r, 16, "1001");
  sheet.set(r, 17, std::to_string(1 + i));
  sheet.set(r, 18, i % 2 ? "1234567890" : "1234567890123456789012345678901234567");
}

inline void filaExportacion(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  const bool bienes = i % 5 != 4;
  const std::string valor = std::to_string(100 + i % 5000) + "." + std::to_string(i % 100);
  sheet.set(r, 0, "1792045185001");
  sheet.set(r, 1, "5");
  sheet.set(r, 2, "2013");
  sheet.set(r, 4, bienes ? "B" : "S");
  sheet.set(r, 5, i % 2 ? "16" : "1");
  sheet.set(r, 6, std::to_string(1 + i % 28) + "/05/2013");
  if (bienes) {
    sheet.set(r, 7, conFallas && i % 20 == 7 ? "27" : "28");
    sheet.set(r, 8, "2013");
    sheet.set(r, 9, "4");
    sheet.set(r, 10, std::to_string(10000000 + i));
    sheet.set(r, 11, "0");
    sheet.set(r, 12, "BL" + std::to_string(i));
  }
  sheet.set(r, 13, "0");
  sheet.set(r, 14, valor);
  sheet.set(r, 15, valor);
  sheet.set(r, 16, sheet.get(r, 6));
  sheet.set(r, 17, "1001");
  sheet.set(r, 18, std::to_string(1 + i));
  sheet.set(r, 19, i % 2 ? "1234567890" : "1234567890123456789012345678901234567");
}

// Cancelled documents: ranges of invoices and credit notes, one to three vouchers each, with ten-
// and thirty-seven-digit authorisations. With `conFallas` every 20th range ends before it starts.
inline void filaAnulado(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  const long inicio = 1000000 + i * 3;
  sheet.set(r, 0, "1792045185001");
  sheet.set(r, 1, "5");
  sheet.set(r, 2, "2013");
  sheet.set(r, 3, i % 5 ? "1" : "4");
  sheet.set(r, 4, "1002");
  sheet.set(r, 5, std::to_string(inicio));
  sheet.set(r, 6, std::to_string(conFallas && i % 20 == 7 ? inicio - 1 : inicio + i % 3));
  sheet.set(r, 7, i % 7 ? "1112223334" : std::string(37, '1'));
  sheet.set(r, 8, std::to_string(10 + i % 19) + "/05/2013");
}

}  // namespace bench
