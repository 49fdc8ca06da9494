#pragma once
// Generated rows of May 2013 for the demo company, as a user types them into each sheet: every
// column filled, distinct voucher numbers. With `conFallas` every 20th row (rows 8, 28, 48, ... of
// the sheet) carries one fault that its validator reports, so that a validator's log is written
// too; without it every row passes, so that the whole job stores and writes them.

#include <string>

#include "platform/automation/string_matrix.hpp"

namespace bench {

inline const char* const kProveedores[] = {"1791234561001", "1710034065001", "0992314702001", "1760012320001"};

inline void filaCompra(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const std::string dia = std::to_string(10 + i % 18);
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(3) = dia + "/05/2013";
  cell(4) = dia + "/05/2013";
  cell(5) = "R";
  cell(6) = kProveedores[i % 4];
  cell(10) = "1";
  cell(11) = "1";
  cell(12) = conFallas && i % 20 == 7 ? "0" : "1001";
  cell(13) = std::to_string(1 + i);
  cell(14) = "1234567890";
  cell(15) = "0";
  cell(16) = std::to_string(i % 500);
  cell(17) = std::to_string(100 + i % 50);
  cell(18) = std::to_string((100 + i % 50) * 12 / 100.0);
  cell(23) = "L";
  cell(32) = i % 7 == 0 ? "1-20" : "1";
  switch (i % 5) {
    case 0:  // VAT and two income-tax withholdings with their voucher, paid abroad
      cell(20) = "3.60";
      cell(23) = "E";
      cell(24) = "5";
      cell(25) = "N";
      cell(26) = "S";
      cell(33) = "312";
      cell(34) = "100";
      cell(35) = "1";
      cell(36) = "1";
      cell(37) = "344";
      cell(38) = "200";
      cell(39) = "1.75";
      cell(40) = "3.50";
      cell(48) = "1001";
      cell(49) = std::to_string(1 + i);
      cell(50) = "1112223334";
      cell(51) = cell(3);
      break;
    case 1:  // a dividend
      cell(33) = "345";
      cell(34) = "150000";
      cell(35) = "0";
      cell(36) = "3500";
      cell(45) = "02/05/2013";
      cell(46) = "0";
      cell(47) = "2012";
      cell(48) = "1001";
      cell(49) = std::to_string(1 + i);
      cell(50) = "1112223334";
      cell(51) = cell(3);
      break;
    case 2:  // a credit note on an earlier invoice
      cell(11) = "4";
      cell(27) = "1";
      cell(28) = "02/05/2013";
      cell(29) = "1001";
      cell(30) = std::to_string(1 + i / 2);
      cell(31) = "1112345678";
      break;
    default:  // two lines of one reimbursement document
      cell(11) = "41";
      cell(13) = std::to_string(1 + i - i % 5);
      cell(52) = "R";
      cell(53) = "1791234561001";
      cell(55) = "1";
      cell(56) = "05/05/2013";
      cell(57) = "1001";
      cell(58) = std::to_string(i);
      cell(59) = "1234567890";
      cell(62) = "100";
      cell(63) = "12";
      break;
  }
}

inline const char* const kClientes[][2] = {
    {"R", "1791234561001"}, {"C", "1710034065"}, {"F", "9999999999999"}, {"P", "AB123456"}};
inline const char* const kTipos[] = {"18", "18", "4", "5", "18"};

inline void filaVenta(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const long gravada = 100 + i % 50;
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(3) = kClientes[i % 4][0];
  cell(4) = kClientes[i % 4][1];
  cell(5) = "Cliente " + std::to_string(i % 1000);
  cell(6) = conFallas && i % 20 == 7 ? "0" : "1";
  cell(7) = kTipos[i % 5];
  cell(8) = std::to_string(1 + i % 9);
  cell(9) = "0";
  cell(10) = std::to_string(i % 300);
  cell(11) = std::to_string(gravada);
  cell(12) = std::to_string(gravada * 12 / 100.0);
  cell(13) = i % 3 == 0 ? "3.60" : "0";
  cell(14) = i % 3 == 0 ? "1.00" : "0";
  cell(15) = std::to_string(10 + i % 18) + "/05/2013";
  cell(16) = "1001";
  cell(17) = std::to_string(1 + i);
  cell(18) = i % 2 ? "1234567890" : "1234567890123456789012345678901234567";
}


inline void filaExportacion(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const bool bienes = i % 5 != 4;
  const std::string valor = std::to_string(100 + i % 5000) + "." + std::to_string(i % 100);
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(4) = bienes ? "B" : "S";
  cell(5) = i % 2 ? "16" : "1";
  cell(6) = std::to_string(1 + i % 28) + "/05/2013";
  if (bienes) {
    cell(7) = conFallas && i % 20 == 7 ? "27" : "28";
    cell(8) = "2013";
    cell(9) = "4";
    cell(10) = std::to_string(10000000 + i);
    cell(11) = "0";
    cell(12) = "BL" + std::to_string(i);
  }
  cell(13) = "0";
  cell(14) = valor;
  cell(15) = valor;
  cell(16) = cell(6);
  cell(17) = "1001";
  cell(18) = std::to_string(1 + i);
  cell(19) = i % 2 ? "1234567890" : "1234567890123456789012345678901234567";
}

// Cancelled documents: ranges of invoices and credit notes, one to three vouchers each, with ten-
// and thirty-seven-digit authorisations. With `conFallas` every 20th range ends before it starts.
inline void filaAnulado(vt::automation::StringMatrix& sheet, long r, bool conFallas) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const long inicio = 1000000 + i * 3;
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(3) = i % 5 ? "1" : "4";
  cell(4) = "1002";
  cell(5) = std::to_string(inicio);
  cell(6) = std::to_string(conFallas && i % 20 == 7 ? inicio - 1 : inicio + i % 3);
  cell(7) = i % 7 ? "1112223334" : std::string(37, '1');
  cell(8) = std::to_string(10 + i % 19) + "/05/2013";
}

}  // namespace bench
