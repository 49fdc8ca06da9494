#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "platform/automation/automation.hpp"

namespace {

using namespace vt::automation;

// A handle type that is not an automation object (like a database connection).
struct Enlace {
  std::string nombre;
};

}  // namespace

template <>
struct vt::automation::ObjectTypeName<Enlace> {
  static constexpr const char* value = "Enlace";
};

namespace {

class Muestra : public Dispatchable<Muestra> {
 public:
  std::string sNombre;
  int16_t iPocIVA = 0;
  std::shared_ptr<Enlace> db_Enlace;
  Variant vDato;

  std::string Procesar(int16_t ti_proceso, std::string& sTexto, int32_t& nFila, bool& bError,
                       StringMatrixRef& InfoFile, std::string sCopia) {
    sTexto += "|" + std::to_string(ti_proceso);
    nFila += 1;
    bError = true;
    InfoFile->set(1, 0, "corregido");
    sCopia = "cambiada";
    return "OK";
  }
  std::string Modo(std::string& sDato, std::string& sModo, Variant& vExtra) {
    return sDato + "/" + sModo + "/" + typeName(vExtra.type());
  }
  void Fallar(std::string& sMensaje) {
    sMensaje = "antes del error";
    throw vt::Error(5, "Muestra", "Llamada a procedimiento o argumento no válidos");
  }
  int32_t Llenar(StringArrayRef& archivo, IntegerArrayRef opciones) {
    archivo->redim(0, 49, false);
    archivo->at(49) = "fin";
    return opciones->size();
  }
  std::string Nombre(const std::shared_ptr<Enlace>& enlace) { return enlace ? enlace->nombre : "(nada)"; }

  static ClassInfo describe() {
    return ClassBuilder<Muestra>("Prueba.Muestra", "_Muestra")
        .property("sNombre", &Muestra::sNombre)
        .property("iPocIVA", &Muestra::iPocIVA)
        .property("db_Enlace", &Muestra::db_Enlace)
        .property("vDato", &Muestra::vDato)
        .method("Procesar", &Muestra::Procesar,
                {"ti_proceso", "sTexto", "nFila", "bError", "InfoFile", "sCopia"})
        .method("Modo", &Muestra::Modo, {"sDato", opt("sModo", "X"), opt("vExtra")})
        .method("Fallar", &Muestra::Fallar, {"sMensaje"})
        .method("Llenar", &Muestra::Llenar, {"archivo", "opciones"})
        .method("Nombre", &Muestra::Nombre, {"enlace"})
        .build();
  }
};

long errorNumber(const std::function<void()>& action) {
  try {
    action();
  } catch (const vt::Error& e) {
    return e.number();
  }
  return 0;
}

class DispatchTest : public ::testing::Test {
 protected:
  std::shared_ptr<Muestra> object = std::make_shared<Muestra>();
};

TEST_F(DispatchTest, ByReferenceArgumentsAreWrittenBackAndByValueOnesAreNot) {
  auto sheet = std::make_shared<StringMatrix>(0, 2, 0, 3);
  sheet->set(1, 0, "original");
  Variant mode("3");  // by value: converted for the call only
  Variant text("abc"), row(int32_t{7}), flag(false), infoFile(sheet), copy("mia");

  const Variant result = object->call("Procesar", mode, text, row, flag, infoFile, copy);

  EXPECT_EQ(result.toString(), "OK");
  EXPECT_EQ(text.toString(), "abc|3");
  EXPECT_EQ(row.type(), VarType::I4);
  EXPECT_EQ(row.toI4(), 8);
  EXPECT_EQ(flag.type(), VarType::Bool);
  EXPECT_TRUE(flag.toBool());
  EXPECT_EQ(mode.type(), VarType::String);
  EXPECT_EQ(copy.toString(), "mia");
  // the caller's own matrix was rewritten, not a copy of it
  EXPECT_EQ(sheet->get(1, 0), "corregido");
  EXPECT_EQ(infoFile.toStringMatrix().get(), sheet.get());
}

TEST_F(DispatchTest, ByReferenceArgumentIsCoercedInTheCallersVariant) {
  auto sheet = std::make_shared<StringMatrix>(0, 1, 0, 0);
  Variant text("x"), row("41"), flag("True"), infoFile(sheet);
  object->call("Procesar", int16_t{1}, text, row, flag, infoFile, "c");
  EXPECT_EQ(row.type(), VarType::I4);
  EXPECT_EQ(row.toI4(), 42);
}

TEST_F(DispatchTest, OmittedOptionalsTakeTheirDefaults) {
  Variant dato("d");
  EXPECT_EQ(object->call("Modo", dato).toString(), "d/X/Missing");
  Variant modo("m"), extra(int16_t{1});
  EXPECT_EQ(object->call("Modo", dato, modo, extra).toString(), "d/m/Integer");
  // an explicit Missing is the same as leaving the argument out
  Variant missing = Variant::missing();
  EXPECT_EQ(object->call("Modo", dato, missing).toString(), "d/X/Missing");
}

TEST_F(DispatchTest, NamesAreFoundInAnyLetterCase) {
  Variant dato("d");
  EXPECT_EQ(object->call("MODO", dato).toString(), "d/X/Missing");
  object->let("ipocIVA", Variant("12"));
  EXPECT_EQ(object->get("IPOCIVA").toI2(), 12);
}

TEST_F(DispatchTest, CallErrorsCarryTheirNumbers) {
  auto sheet = std::make_shared<StringMatrix>(0, 1, 0, 0);
  Variant a("a"), b("b"), c("c"), d("d"), e("e"), f("f"), g("g");
  Variant row("siete"), flag(false), infoFile(sheet), modeNotNumber("abc");
  const struct {
    const char* what;
    std::function<void()> action;
    long error;
  } cases[] = {
      {"unknown member", [&] { object->call("NoExiste"); }, kErrNoSuchMember},
      {"unknown member, other case", [&] { object->call("pRoCeSaRx", a); }, kErrNoSuchMember},
      {"too few arguments", [&] { object->call("Procesar", a, b); }, kErrArgumentNotOptional},
      {"required argument missing", [&] { object->call("Nombre", Variant::missing()); },
       kErrArgumentNotOptional},
      {"too many arguments", [&] { object->call("Modo", a, b, c, d); }, kErrWrongArgumentCount},
      {"by-reference type mismatch", [&] { object->call("Procesar", "1", b, row, flag, infoFile, c); },
       kErrTypeMismatch},
      {"by-value type mismatch", [&] { object->call("Procesar", modeNotNumber, b, d, flag, infoFile, c); },
       kErrTypeMismatch},
      {"text for a sheet", [&] { object->call("Procesar", "1", b, "1", flag, e, c); }, kErrTypeMismatch},
      {"let overflow", [&] { object->let("iPocIVA", Variant("40000")); }, kErrOverflow},
      {"let not a number", [&] { object->let("iPocIVA", Variant("doce")); }, kErrTypeMismatch},
      {"let an object property", [&] { object->let("db_Enlace", Variant("x")); }, kErrNoSuchMember},
      {"set a text property", [&] { object->set("sNombre", Variant(object)); }, kErrNoSuchMember},
      {"set an object of another type", [&] { object->set("db_Enlace", Variant(object)); }, kErrTypeMismatch},
      {"property with an argument",
       [&] { object->invoke("sNombre", Invoke::Get, std::vector<Variant*>{&g}); }, kErrWrongArgumentCount},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(errorNumber(c.action), c.error);
  }
}

TEST_F(DispatchTest, UnknownMemberNamesTheMemberAndTheClass) {
  try {
    object->call("NoExiste");
    FAIL() << "no error raised";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.description(), "El objeto no admite esta propiedad o método: NoExiste");
    EXPECT_EQ(e.source(), "Prueba.Muestra");
  }
}

TEST_F(DispatchTest, ByReferenceResultsReachTheCallerEvenWhenTheMemberRaises) {
  Variant message("");
  EXPECT_EQ(errorNumber([&] { object->call("Fallar", message); }), 5);
  EXPECT_EQ(message.toString(), "antes del error");
}

TEST_F(DispatchTest, ArraysPassedByReferenceCanBeRedimensioned) {
  Variant archivo;  // never dimensioned
  auto opciones = std::make_shared<IntegerArray>(0, 3);
  EXPECT_EQ(object->call("Llenar", archivo, Variant(opciones)).toI4(), 4);
  ASSERT_EQ(archivo.type(), VarType::StringArray);
  EXPECT_EQ(archivo.toStringArray()->at(49), "fin");
}

TEST_F(DispatchTest, PropertiesGetLetAndSet) {
  EXPECT_EQ(object->get("iPocIVA").type(), VarType::I2);
  EXPECT_EQ(object->get("iPocIVA").toI2(), 0);
  EXPECT_EQ(object->get("db_Enlace").toObject(), nullptr);  // Nothing before it is set

  object->let("iPocIVA", Variant("12.5"));
  EXPECT_EQ(object->iPocIVA, 12);

  auto enlace = std::make_shared<Enlace>(Enlace{"principal"});
  object->set("db_Enlace", Variant::fromObject(enlace));
  EXPECT_EQ(object->db_Enlace, enlace);
  EXPECT_EQ(object->get("db_Enlace").objectAs<Enlace>(), enlace);
  EXPECT_EQ(object->call("Nombre", object->get("db_Enlace")).toString(), "principal");

  object->let("vDato", Variant(int32_t{5}));
  EXPECT_EQ(object->get("vDato").type(), VarType::I4);
  auto other = std::make_shared<Muestra>();
  object->set("vDato", Variant(other));
  EXPECT_EQ(object->get("vDato").toObject(), other);
}

TEST_F(DispatchTest, CallsFromAnotherThreadAreRefused) {
  long error = 0;
  std::thread other([&] { error = errorNumber([&] { object->get("iPocIVA"); }); });
  other.join();
  EXPECT_EQ(error, kErrWrongThread);
  EXPECT_EQ(object->get("iPocIVA").toI2(), 0);  // still usable on its own thread
}

TEST_F(DispatchTest, MemberTableListsTheInterfaceInOrder) {
  const ClassInfo& info = Muestra::info();
  EXPECT_EQ(info.progId, "Prueba.Muestra");
  EXPECT_EQ(info.className, "Muestra");
  EXPECT_EQ(info.interfaceName, "_Muestra");

  std::vector<std::string> listed;
  const char* kinds[] = {"Method", "Get", "Let", "Set"};
  for (const Member& m : info.members) {
    std::string line = m.name + " " + kinds[static_cast<int>(m.kind)] + "(";
    for (const Param& p : m.params) {
      line += (p.optional ? "Optional " : "") + std::string(p.byRef ? "ByRef " : "ByVal ") + p.name + " As " +
              p.typeName + ",";
    }
    listed.push_back(line + ") " + m.resultTypeName);
  }
  const std::vector<std::string> expected = {
      "sNombre Get() String",
      "sNombre Let(ByVal RHS As String,) ",
      "iPocIVA Get() Integer",
      "iPocIVA Let(ByVal RHS As Integer,) ",
      "db_Enlace Get() Enlace",
      "db_Enlace Set(ByVal RHS As Enlace,) ",
      "vDato Get() Variant",
      "vDato Let(ByVal RHS As Variant,) ",
      "vDato Set(ByVal RHS As Variant,) ",
      "Procesar Method(ByVal ti_proceso As Integer,ByRef sTexto As String,ByRef nFila As Long,ByRef bError "
      "As "
      "Boolean,ByRef InfoFile As String(,),ByVal sCopia As String,) String",
      "Modo Method(ByRef sDato As String,Optional ByRef sModo As String,Optional ByRef vExtra As Variant,) "
      "String",
      "Fallar Method(ByRef sMensaje As String,) ",
      "Llenar Method(ByRef archivo As String(),ByVal opciones As Integer(),) Long",
      "Nombre Method(ByVal enlace As Enlace,) String",
  };
  EXPECT_EQ(listed, expected);
}

TEST(ClassBuilderTest, RefusesDeclarationsThatDoNotMatchTheMember) {
  struct Mal : Dispatchable<Mal> {
    int32_t Uno(int32_t& a, int32_t& b) { return a + b; }
    static ClassInfo describe() { return {}; }
  };
  EXPECT_THROW(ClassBuilder<Mal>("P.Mal", "_Mal").method("Uno", &Mal::Uno, {"a"}), std::logic_error);
  EXPECT_THROW(ClassBuilder<Mal>("P.Mal", "_Mal").method("Uno", &Mal::Uno, {opt("a"), "b"}),
               std::logic_error);
}

}  // namespace
