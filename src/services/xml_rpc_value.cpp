#include "services/xml_rpc_value.h"

#include "services/xml_rpc_value_objects.h"

namespace tarsel {

namespace {

const XmlRpcTextObject& DefaultObject() {
  static const XmlRpcTextObject object(XmlRpcKind::kString, std::string());
  return object;
}

const std::string& EmptyText() {
  static const std::string text;
  return text;
}

template <typename T>
const T* ObjectOf(const XmlRpcValue& value, XmlRpcKind kind) {
  const XmlRpcValueObject& object = value.Object();
  return object.Kind() == kind ? static_cast<const T*>(&object) : nullptr;
}

}  // namespace

XmlRpcValue::XmlRpcValue(const XmlRpcValue& other)
    : object_(other.object_ ? other.object_->Clone() : nullptr) {}

XmlRpcValue& XmlRpcValue::operator=(const XmlRpcValue& other) {
  if (this != &other) object_ = other.object_ ? other.object_->Clone() : nullptr;
  return *this;
}

XmlRpcValue::~XmlRpcValue() = default;

XmlRpcValue XmlRpcValue::Integer(int32_t number) {
  return XmlRpcValue(std::make_unique<XmlRpcIntegerObject>(number));
}

XmlRpcValue XmlRpcValue::Double(double number) {
  return XmlRpcValue(std::make_unique<XmlRpcDoubleObject>(number));
}

XmlRpcValue XmlRpcValue::Boolean(bool flag) {
  return XmlRpcValue(std::make_unique<XmlRpcBooleanObject>(flag));
}

XmlRpcValue XmlRpcValue::String(std::string text) {
  return XmlRpcValue(std::make_unique<XmlRpcTextObject>(XmlRpcKind::kString, std::move(text)));
}

XmlRpcValue XmlRpcValue::DateTime(std::string text) {
  return XmlRpcValue(std::make_unique<XmlRpcTextObject>(XmlRpcKind::kDateTime, std::move(text)));
}

XmlRpcValue XmlRpcValue::Array(XmlRpcArray elements) {
  return XmlRpcValue(std::make_unique<XmlRpcArrayObject>(std::move(elements)));
}

XmlRpcValue XmlRpcValue::Struct(XmlRpcMembers members) {
  return XmlRpcValue(std::make_unique<XmlRpcStructObject>(std::move(members)));
}

const XmlRpcValueObject& XmlRpcValue::Object() const {
  if (object_) return *object_;
  return DefaultObject();
}

std::string XmlRpcValue::ToXml() const {
  std::string out;
  AppendXml(out);
  return out;
}

int32_t XmlRpcValue::IntegerValue() const {
  const auto* object = ObjectOf<XmlRpcIntegerObject>(*this, XmlRpcKind::kInteger);
  return object ? object->number() : 0;
}

double XmlRpcValue::DoubleValue() const {
  const auto* object = ObjectOf<XmlRpcDoubleObject>(*this, XmlRpcKind::kDouble);
  return object ? object->number() : 0.0;
}

bool XmlRpcValue::BooleanValue() const {
  const auto* object = ObjectOf<XmlRpcBooleanObject>(*this, XmlRpcKind::kBoolean);
  return object ? object->flag() : false;
}

const std::string& XmlRpcValue::Text() const {
  XmlRpcKind kind = Kind();
  if (kind != XmlRpcKind::kString && kind != XmlRpcKind::kDateTime) return EmptyText();
  return static_cast<const XmlRpcTextObject&>(Object()).text();
}

const XmlRpcArray* XmlRpcValue::Elements() const {
  const auto* object = ObjectOf<XmlRpcArrayObject>(*this, XmlRpcKind::kArray);
  return object ? &object->elements() : nullptr;
}

const XmlRpcMembers* XmlRpcValue::Members() const {
  const auto* object = ObjectOf<XmlRpcStructObject>(*this, XmlRpcKind::kStruct);
  return object ? &object->members() : nullptr;
}

const XmlRpcValue& DefaultXmlRpcValue() {
  static const XmlRpcValue value;
  return value;
}

XmlRpcValue ArrayAt(const XmlRpcValue& value, std::size_t index) {
  const XmlRpcArray* elements = value.Elements();
  if (elements == nullptr || index >= elements->size()) return XmlRpcValue();
  return (*elements)[index];
}

XmlRpcValue StructMember(const XmlRpcValue& value, std::string_view name) {
  const XmlRpcMembers* members = value.Members();
  if (members == nullptr) return XmlRpcValue();
  auto found = members->find(std::string(name));
  return found == members->end() ? XmlRpcValue() : found->second;
}

std::string AsText(const XmlRpcValue& value) {
  return value.Text();
}

XmlRpcKind Kind(const XmlRpcValue& value) {
  return value.Kind();
}

}  // namespace tarsel
