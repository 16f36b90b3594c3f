#pragma once
// The text-table store: a named table of typed fields and string records,
// kept as a line-oriented text that survives hand editing.
#include <string>
#include <vector>

#include "imaging/Errors.h"

namespace lumarte::editor {

// Field types as numbered in the text form; ftAny accepts every value (an
// unrecognised type name read from a text).
enum TFieldType : int { ftAny = -1, ftBool = 0, ftInt = 1, ftFloat = 2, ftString = 3 };

struct TField {
  std::string Name;
  TFieldType Type = ftString;
  std::string Extra1;
  std::string Extra2;
};

// One record: one value per field, in field order.
using TElement = std::vector<std::string>;

// True when text is a value of the given type ("TRUE"/"FALSE", a 32-bit whole
// number, a finite number; strings always).
bool ValueFitsType(TFieldType type, const std::string& text);
const char* FieldTypeName(TFieldType type);

class Qv_Database {
 public:
  explicit Qv_Database(std::string name = {}) : Name(std::move(name)) {}

  std::string Name;

  int FieldCount() const { return static_cast<int>(Fields.size()); }
  int RecordCount() const { return static_cast<int>(Records.size()); }

  // Inserts a field at position (clamped to 0..FieldCount) and gives every
  // record an empty value there.
  void AddField(int position, const std::string& name, const std::string& extra1,
                const std::string& extra2, TFieldType type);
  const TField& Field(int field) const;
  // EDBException "FieldID not valid" for a bad index.
  std::string FieldName(int field) const;

  // A record with one empty value per field.
  TElement NewRecord() const;
  // Appends record, keeping only the values that fit their fields; returns its index.
  int AddRecord(const TElement& record);
  // Index of the first record whose value in field equals value exactly, or -1.
  int FindRecord(int field, const std::string& value) const;
  // EDBException "RecordID not valid" for a bad index.
  const TElement& GetRecord(int index) const;

  // False (and nothing changes) for a bad index or a value of the wrong type.
  bool SetValue(int record, int field, const std::string& text);
  // Out-of-range indices give "", 0 and false.
  std::string GetString(int record, int field) const;
  int GetInt(int record, int field) const;
  bool GetBool(int record, int field) const;

  std::vector<std::string> SaveToStrings() const;
  // Replaces the table with the one in lines. EDBException when a count is not
  // a number; the table is unchanged then.
  void LoadFromStrings(const std::vector<std::string>& lines);

  // The per-user store: keyPath names a folder below the user's configuration
  // folder (see StoreFileName); the text is kept there with CR LF line ends.
  void SaveToStore(const std::string& keyPath) const;
  // False when the store holds nothing (missing or empty); the table is then
  // unchanged. Unreadable text raises as LoadFromStrings does.
  bool LoadFromStore(const std::string& keyPath);

 private:
  bool ValidIndex(int record, int field) const;
  std::vector<TField> Fields;
  std::vector<TElement> Records;
};

}  // namespace lumarte::editor
