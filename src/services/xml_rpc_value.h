#pragma once

// The XML-RPC value model: seven kinds of value, each an object of one family that can clone
// itself, name its type and write itself as XML-RPC text, and a holder (XmlRpcValue) that owns
// exactly one such object and copies it deeply.
//
// Texts are bytes in the program's code page and are written without any escaping: a caller
// that sends free text wraps it in a CDATA section itself. Values are not shared between
// threads; the shared default value is immutable and may be read from any thread.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

enum class XmlRpcKind : int {
  kInteger = 0,
  kDouble = 1,
  kBoolean = 2,
  kString = 3,
  kDateTime = 4,
  kArray = 5,
  kStruct = 6,
};

class XmlRpcValue;
using XmlRpcArray = std::vector<XmlRpcValue>;
// Ordered by name byte-wise (std::string compares as unsigned bytes); names are unique.
using XmlRpcMembers = std::map<std::string, XmlRpcValue>;

// One value object. Payloads are read through the holder's accessors.
class XmlRpcValueObject {
 public:
  virtual ~XmlRpcValueObject() = default;
  virtual std::unique_ptr<XmlRpcValueObject> Clone() const = 0;
  // "int", "double", "bool", "string", "dateTime.iso8601", "array" or "struct".
  virtual const char* TypeName() const = 0;
  // Appends the value's text ("<value>...</value>") to out.
  virtual void AppendXml(std::string& out) const = 0;
  virtual XmlRpcKind Kind() const = 0;
};

class XmlRpcValue {
 public:
  // The default value: a string with the empty text.
  XmlRpcValue() noexcept = default;
  // A null object gives the default value.
  explicit XmlRpcValue(std::unique_ptr<XmlRpcValueObject> object) noexcept
      : object_(std::move(object)) {}
  XmlRpcValue(const XmlRpcValue& other);
  XmlRpcValue& operator=(const XmlRpcValue& other);
  XmlRpcValue(XmlRpcValue&& other) noexcept = default;
  XmlRpcValue& operator=(XmlRpcValue&& other) noexcept = default;
  ~XmlRpcValue();

  static XmlRpcValue Integer(int32_t number);
  static XmlRpcValue Double(double number);
  static XmlRpcValue Boolean(bool flag);
  static XmlRpcValue String(std::string text);
  // The text is stored and written unchanged.
  static XmlRpcValue DateTime(std::string text);
  static XmlRpcValue Array(XmlRpcArray elements);
  static XmlRpcValue Struct(XmlRpcMembers members);

  const XmlRpcValueObject& Object() const;
  XmlRpcKind Kind() const { return Object().Kind(); }
  const char* TypeName() const { return Object().TypeName(); }
  std::string ToXml() const;
  void AppendXml(std::string& out) const { Object().AppendXml(out); }

  // Payloads; a value of another kind gives 0, false, or null.
  int32_t IntegerValue() const;
  double DoubleValue() const;
  bool BooleanValue() const;
  // The text of a string or date value; empty for every other kind.
  const std::string& Text() const;
  const XmlRpcArray* Elements() const;
  const XmlRpcMembers* Members() const;

 private:
  // Null stands for the default value, so a moved-from holder is the default value too.
  std::unique_ptr<XmlRpcValueObject> object_;
};

// The one shared default holder of the process.
const XmlRpcValue& DefaultXmlRpcValue();

// A copy of the element at index; past the end, or when value is no array, the default value.
XmlRpcValue ArrayAt(const XmlRpcValue& value, std::size_t index);
// A copy of the member named exactly name; when absent or value is no struct, the default value.
XmlRpcValue StructMember(const XmlRpcValue& value, std::string_view name);
// The text of a string (or date) value; the empty text for every other kind.
std::string AsText(const XmlRpcValue& value);
XmlRpcKind Kind(const XmlRpcValue& value);

}  // namespace tarsel
