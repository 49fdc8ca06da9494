#pragma once
// The main window frm_ATS_SubirExcel as the main action, the import driver and the XML writer see
// it: the controls they set and read, the snapshot of the inputs the main action reads, and the
// argument records of the import driver and of the XML writer. The Qt window and the batch
// program implement the window; core code never sees a widget.

#include <array>
#include <cstdint>
#include <string>

namespace ambrix {

// prgprogreso.
class IBarraProgreso {
 public:
  virtual ~IBarraProgreso() = default;
  virtual void Visible(bool bVisible) = 0;
  virtual void Min(long lMin) = 0;
  virtual void Max(long lMax) = 0;
  virtual void Value(long lValor) = 0;
  virtual long Min() const = 0;
  virtual long Max() const = 0;
  virtual long Value() const = 0;
};

// Whether row `fila` of `total` moves the progress bar: every row of a small sheet or section, else once per
// 1 % of the rows but at least every 500, and always the last; a large sheet then shows its
// progress without a line per row in the batch transcript.
bool muestraProgreso(long fila, long total);

// The controls of frm_ATS_SubirExcel that code outside the window sets or reads by name.
class IVentanaATS {
 public:
  virtual ~IVentanaATS() = default;
  virtual IBarraProgreso& prgprogreso() = 0;
  // Text of the first panel of XPStatusBar.
  virtual void XPStatusBar_Panel1(const std::string& sTexto) = 0;
  virtual void lblTotReg_Caption(const std::string& sTexto) = 0;
  virtual void lblTotReg_Visible(bool bVisible) = 0;
  virtual void cmdCancel_Enabled(bool bHabilitado) = 0;
  // -1 none, 0 Excel, 1 CSV.
  virtual int cmbTipo_file_ListIndex() const = 0;
  virtual std::string txtPath() const = 0;
  virtual std::string txtFileATS_XML() const = 0;
  virtual void txtFileATS_XML(const std::string& sTexto) = 0;
  // The hourglass pointer (true) or the default one (false).
  virtual void PunteroEspera(bool bReloj) = 0;
  // Moves the focus to cmbTipo_file.
  virtual void FocoTipoArchivo() = 0;
  // Lets the window repaint and the cancel button be pressed.
  virtual void DoEvents() = 0;
  virtual void Refrescar() = 0;
  // Opens the error-log viewer on the file, without blocking the window.
  virtual void AbrirVisorErrores(const std::string& sTitulo, const std::string& sRuta) = 0;
};

// The inputs of the main action, taken from the window's controls right before a run. Defaults
// are the window's design values.
struct DatosVentanaATS {
  int chkValidaFile = 1;
  int chkXML = 0;
  int cmbTipo_file = 0;
  std::array<int, 4> chkInfo{};
  std::array<std::string, 4> txtfile;
  std::array<std::string, 4> chkInfoCaption{"Compras", "Ventas", "Anulados", "Exportac."};
  std::string txtPath;
  std::string txtFileATS_XML;
  std::string sItemEmpresa;  // text of the selected cmbEmpresas item
  long cmbMeses_ItemData = 0;
  std::string cmbanios;
  int Chkanio = 0;
  int optTipoVentas = 1;  // index of the chosen sales option
  int chkValidaBases = 0;
  int chkConvertirRUC = 0;
  double txtDecimales = 0;
  std::string txtSeparador;
  int ChkCabecera = 1;
  int cmbValidaCompras = 0;
  int chkSinValidar = 0;
  std::array<int, 4> chkfile_XML{1, 1, 1, 1};
};

// How a store pass left the sheets it was given, the worst of them: each stored with every row;
// stored, but the database refused some rows (they are in the error log); a store cancelled and
// rolled back; a store that failed whole (its sheet and the later ones keep their earlier period).
enum class FinAlmacen { Completo, ConRechazos, Cancelado, Fallido };

// The arguments of gfProcesaArchivoATS, in their order, and what a store pass did.
struct ParamProcesoATS {
  IVentanaATS* frm = nullptr;
  std::int16_t ti_proceso = 1;  // 1 load and validate, 2 store
  std::string co_empresa;
  std::string nu_mes;  // "1".."12"; the driver writes "99" for a whole-year run
  std::string nu_anio;
  std::int16_t Chkanio = 0;
  std::array<std::string, 4> asArchivos;  // purchases, sales, cancelled documents, exports
  std::string sSeparador;
  std::int16_t ChkCabecera = 0;
  double dDecRedondeo = 0;
  std::int16_t cmbValidaCompras = 0;
  std::array<std::int16_t, 4> iOpciones{};
  IBarraProgreso* prgprogreso = nullptr;
  // Written by a store pass: its status word folds the sheets' results as the window shows them,
  // and a later sheet's word can hide an earlier cancel; this is what really became of them.
  FinAlmacen finAlmacen = FinAlmacen::Completo;
};

// The arguments of GeneraXML_ATS, in their order (the sheet check boxes, never read, left out).
struct ParamGeneraXML {
  IVentanaATS* frm = nullptr;
  std::string sRuc;
  std::string sMes;
  std::string sAnio;
  std::array<std::string, 4> aSecciones;  // "0" or "1" per section
  IBarraProgreso* prgprogreso = nullptr;
};

// The workbook import, as the main action calls it.
class IImportadorATS {
 public:
  virtual ~IImportadorATS() = default;
  // One pass; returns its status word ("OK", "ERROR", "CANCEL", "OK-ERROR" or "").
  virtual std::string gfProcesaArchivoATS(ParamProcesoATS& param) = 0;
  // Loads the sheets named in param.asArchivos without validating them, for a store-only run.
  // False with sError set when a sheet cannot be loaded.
  virtual bool gfCargaHojas(ParamProcesoATS& param, std::string& sError) = 0;
};

// The annex XML writer, as the main action calls it.
class IGeneradorXML {
 public:
  virtual ~IGeneradorXML() = default;
  // Writes the annex file of the period; true only when the file was saved.
  virtual bool GeneraXML_ATS(ParamGeneraXML& param) = 0;
};

// Where the XML file is saved: the trimmed txtPath and txtFileATS_XML joined by one separator.
std::string xmlFilePath(const IVentanaATS& frm);

}  // namespace ambrix
