#include "platform/database/connection_text.hpp"

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "platform/database/errors.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {

struct Pair {
  std::string key;  // lower case, trimmed
  std::string value;
};

// key=value;key={value with ; inside};...
std::vector<Pair> parsePairs(std::string_view text) {
  std::vector<Pair> pairs;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t eq = text.find('=', i);
    const std::size_t semi = text.find(';', i);
    if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
      if (semi == std::string_view::npos) break;
      i = semi + 1;  // a segment without "=" carries nothing
      continue;
    }
    Pair p{lowerAscii(trimBlanks(text.substr(i, eq - i))), {}};
    std::size_t j = eq + 1;
    while (j < text.size() && text[j] == ' ') ++j;
    if (j < text.size() && text[j] == '{') {
      ++j;
      while (j < text.size()) {
        if (text[j] == '}') {
          if (j + 1 < text.size() && text[j + 1] == '}') {
            p.value += '}';
            j += 2;
            continue;
          }
          ++j;
          break;
        }
        p.value += text[j++];
      }
      const std::size_t end = text.find(';', j);
      i = end == std::string_view::npos ? text.size() : end + 1;
    } else {
      const std::size_t end = text.find(';', j);
      p.value = trimBlanks(text.substr(j, end == std::string_view::npos ? std::string_view::npos : end - j));
      i = end == std::string_view::npos ? text.size() : end + 1;
    }
    pairs.push_back(std::move(p));
  }
  return pairs;
}

std::optional<std::string> find(const std::vector<Pair>& pairs, std::string_view key) {
  for (const auto& p : pairs)
    if (p.key == key) return p.value;
  return std::nullopt;
}

bool has(const std::vector<Pair>& pairs, std::string_view key) { return find(pairs, key).has_value(); }

// A value as ODBC wants it: braced when it holds characters that would end or open it.
std::string odbcValue(std::string_view value) {
  if (value.find_first_of(";{}= ") == std::string_view::npos && !value.empty()) return std::string(value);
  std::string out = "{";
  for (char c : value) {
    out += c;
    if (c == '}') out += '}';
  }
  return out + "}";
}

bool isFileProvider(std::string_view provider) {
  const std::string p = lowerAscii(trimBlanks(provider));
  return p.starts_with("microsoft.jet.oledb") || p.starts_with("microsoft.ace.oledb") || p == "sqlite";
}

}  // namespace

ConnectionTarget resolveConnectionText(std::string_view text, Login login, std::string_view sqlServerDriver) {
  const auto pairs = parsePairs(text);
  const auto provider = find(pairs, "provider");
  if (!provider && !has(pairs, "driver") && !has(pairs, "dsn") && !has(pairs, "filedsn"))
    return {ConnectionTarget::Kind::File, std::string(text), {}};

  ConnectionTarget target{ConnectionTarget::Kind::Odbc, {}, {}};
  std::string& out = target.odbcText;
  if (provider) {
    if (isFileProvider(*provider))
      return {ConnectionTarget::Kind::File, find(pairs, "data source").value_or(""), {}};
    if (lowerAscii(trimBlanks(*provider)) != "sqloledb") raise(kErrProviderNotFound, "Connection");
    out = "Driver={" + std::string(sqlServerDriver) + "};";
    const std::pair<const char*, const char*> keys[] = {
        {"data source", "Server"}, {"initial catalog", "Database"}, {"user id", "UID"}, {"password", "PWD"}};
    for (const auto& [from, to] : keys)
      if (auto v = find(pairs, from)) out += std::string(to) + "=" + odbcValue(*v) + ";";
  } else {
    out = std::string(text);
    if (const std::string trimmed = trimBlanks(out); !trimmed.empty() && trimmed.back() != ';') out += ";";
    const std::string driver = lowerAscii(find(pairs, "driver").value_or(""));
    const auto server = find(pairs, "server");
    // The Oracle drivers read the service from DBQ; the old texts name it Server.
    if (driver.find("oracle") != std::string::npos && server && !has(pairs, "dbq"))
      out += "DBQ=" + odbcValue(*server) + ";";
  }
  const bool hasUser = has(pairs, "uid") || has(pairs, "user id");
  const bool hasPassword = has(pairs, "pwd") || has(pairs, "password");
  if (!login.user.empty() && !hasUser) out += "UID=" + odbcValue(login.user) + ";";
  if (!login.password.empty() && !hasPassword) out += "PWD=" + odbcValue(login.password) + ";";
  return target;
}

bool usesSqlServerDriver(Engine engine, std::string_view connectionKind) {
  return engine == Engine::Sql && connectionKind == "OLEDB";
}

std::string serverConnectionText(Engine engine, const ServerSettings& s, std::string_view oracleDriver) {
  const auto text = [](std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (const std::string_view part : parts) joined += part;
    return joined;
  };
  if (usesSqlServerDriver(engine, s.connectionKind))
    return text({"Driver=", s.provider, ";Server=", s.server, ";Uid=", s.user, ";Pwd=", s.password,
                 ";Database=", s.database});
  if (engine == Engine::Sql)
    return text({"Provider=sqloledb;Data Source=", s.server, ";Initial Catalog=", s.database,
                 ";User Id=", s.user, ";Password=", s.password, "; "});
  if (engine == Engine::Oracle)
    return text({"Driver=", oracleDriver, ";Server=", s.server, ";Uid=", s.user, ";Pwd=", s.password, ";"});
  return "";
}

}  // namespace vt::db
