#include "editor/model/Qv_Database.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "imaging/FileUtils.h"

namespace lumarte::editor {

namespace {

constexpr const char* kTableStart = "####TABLE####";
constexpr const char* kFields = "##FIELDS##";
constexpr const char* kField = "##FIELD##";
constexpr const char* kEndField = "##ENDFIELD##";
constexpr const char* kEndFields = "##ENDFIELDS##";
constexpr const char* kData = "##DATA##";
constexpr const char* kValueEnd = "##";
constexpr const char* kRecordEnd = "####";
constexpr const char* kEndData = "##ENDDATA##";
constexpr const char* kTableEnd = "####ENDTABLE####";

bool ParseInt(const std::string& text, int& out) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && end == last && first != last;
}

bool ParseFloat(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  double value = 0;
  auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && first != last && std::isfinite(value);
}

TFieldType TypeFromName(const std::string& name) {
  auto starts = [&](const char* prefix) { return name.rfind(prefix, 0) == 0; };
  if (starts("BOOL")) return ftBool;
  if (starts("INT")) return ftInt;
  if (starts("FLOAT")) return ftFloat;
  if (starts("STR")) return ftString;
  return ftAny;
}

// Walks the lines of a table text. Marker tests look at how a line begins.
class TableReader {
 public:
  explicit TableReader(const std::vector<std::string>& lines) : Lines(lines) {}

  bool AtEnd() const { return Pos >= Lines.size(); }
  bool At(const char* marker) const { return !AtEnd() && Lines[Pos].rfind(marker, 0) == 0; }
  std::string Take() { return AtEnd() ? std::string() : Lines[Pos++]; }
  void Skip() {
    if (!AtEnd()) ++Pos;
  }
  // Moves to the next line beginning with marker; false at the end of the text.
  bool SkipTo(const char* marker) {
    while (!AtEnd() && !At(marker)) ++Pos;
    return !AtEnd();
  }
  int TakeCount() {
    int n = 0;
    if (!ParseInt(Take(), n) || n < 0) throw EDBException("Table text not valid");
    return n;
  }
  // Lines up to the next line beginning with "##", joined without separators.
  std::string TakeValue() {
    std::string value;
    while (!AtEnd() && !At(kValueEnd)) value += Lines[Pos++];
    return value;
  }

 private:
  const std::vector<std::string>& Lines;
  size_t Pos = 0;
};

}  // namespace

bool ValueFitsType(TFieldType type, const std::string& text) {
  int ignored = 0;
  switch (type) {
    case ftBool:
      return text == "TRUE" || text == "FALSE";
    case ftInt:
      return ParseInt(text, ignored);
    case ftFloat:
      return ParseFloat(text);
    default:
      return true;
  }
}

const char* FieldTypeName(TFieldType type) {
  switch (type) {
    case ftBool:
      return "BOOL";
    case ftInt:
      return "INT";
    case ftFloat:
      return "FLOAT";
    case ftString:
      return "STRING";
    default:
      return "ANY";
  }
}

void Qv_Database::AddField(int position, const std::string& name, const std::string& extra1,
                           const std::string& extra2, TFieldType type) {
  position = std::clamp(position, 0, FieldCount());
  Fields.insert(Fields.begin() + position, TField{name, type, extra1, extra2});
  for (auto& record : Records) record.insert(record.begin() + position, std::string());
}

const TField& Qv_Database::Field(int field) const {
  if (field < 0 || field >= FieldCount()) throw EDBException("FieldID not valid");
  return Fields[static_cast<size_t>(field)];
}

std::string Qv_Database::FieldName(int field) const {
  return Field(field).Name;
}

TElement Qv_Database::NewRecord() const {
  return TElement(Fields.size());
}

int Qv_Database::AddRecord(const TElement& record) {
  Records.push_back(NewRecord());
  int index = RecordCount() - 1;
  for (int f = 0; f < FieldCount() && f < static_cast<int>(record.size()); ++f)
    SetValue(index, f, record[static_cast<size_t>(f)]);
  return index;
}

int Qv_Database::FindRecord(int field, const std::string& value) const {
  if (field < 0 || field >= FieldCount()) return -1;
  for (int r = 0; r < RecordCount(); ++r)
    if (Records[static_cast<size_t>(r)][static_cast<size_t>(field)] == value) return r;
  return -1;
}

const TElement& Qv_Database::GetRecord(int index) const {
  if (index < 0 || index >= RecordCount()) throw EDBException("RecordID not valid");
  return Records[static_cast<size_t>(index)];
}

bool Qv_Database::ValidIndex(int record, int field) const {
  return record >= 0 && record < RecordCount() && field >= 0 && field < FieldCount();
}

bool Qv_Database::SetValue(int record, int field, const std::string& text) {
  if (!ValidIndex(record, field)) return false;
  if (!ValueFitsType(Fields[static_cast<size_t>(field)].Type, text)) return false;
  Records[static_cast<size_t>(record)][static_cast<size_t>(field)] = text;
  return true;
}

std::string Qv_Database::GetString(int record, int field) const {
  if (!ValidIndex(record, field)) return {};
  return Records[static_cast<size_t>(record)][static_cast<size_t>(field)];
}

int Qv_Database::GetInt(int record, int field) const {
  int value = 0;
  return ParseInt(GetString(record, field), value) ? value : 0;
}

bool Qv_Database::GetBool(int record, int field) const {
  if (!ValidIndex(record, field) || Fields[static_cast<size_t>(field)].Type != ftBool) return false;
  return imaging::UpperCase(GetString(record, field)) == "TRUE";
}

std::vector<std::string> Qv_Database::SaveToStrings() const {
  std::vector<std::string> out{kTableStart, Name, std::to_string(RecordCount()), kFields,
                               std::to_string(FieldCount())};
  for (const auto& f : Fields)
    out.insert(out.end(), {kField, f.Name, FieldTypeName(f.Type), f.Extra1, f.Extra2, kEndField});
  out.insert(out.end(), {kEndFields, kData});
  for (const auto& record : Records) {
    for (size_t f = 0; f < record.size(); ++f) {
      out.push_back(record[f]);
      out.push_back(f + 1 < record.size() ? kValueEnd : kRecordEnd);
    }
    if (record.empty()) out.push_back(kRecordEnd);
  }
  out.insert(out.end(), {kEndData, kTableEnd});
  return out;
}

void Qv_Database::LoadFromStrings(const std::vector<std::string>& lines) {
  TableReader in(lines);
  Qv_Database table;
  in.Skip();
  table.Name = in.Take();
  int recordCount = in.TakeCount();
  if (!in.SkipTo(kFields)) throw EDBException("Table text not valid");
  in.Skip();
  int fieldCount = in.TakeCount();
  for (int f = 0; f < fieldCount && in.SkipTo(kField); ++f) {
    in.Skip();
    std::string name = in.Take();
    TFieldType type = TypeFromName(in.Take());
    std::string extra1 = in.Take();
    std::string extra2 = in.Take();
    table.AddField(table.FieldCount(), name, extra1, extra2, type);
    in.SkipTo(kEndField);
  }
  in.SkipTo(kEndFields);
  in.SkipTo(kData);
  in.Skip();
  for (int r = 0; r < recordCount && !in.AtEnd() && !in.At(kEndData); ++r) {
    TElement record;
    for (int f = 0; f < table.FieldCount(); ++f) {
      record.push_back(in.TakeValue());
      // A record that ends early leaves its remaining fields empty.
      if (f + 1 == table.FieldCount() || in.At(kRecordEnd) || in.At(kEndData)) break;
      in.Skip();
    }
    // A record ends with "####"; anything else up to that line is surplus.
    while (!in.AtEnd() && !in.At(kEndData) && !in.At(kRecordEnd)) in.Skip();
    if (!in.At(kRecordEnd)) break;  // cut short: keep only complete records
    in.Skip();
    table.AddRecord(record);
  }
  *this = std::move(table);
}

}  // namespace lumarte::editor
