#pragma once

// The concrete value objects behind XmlRpcValue, one class per kind.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "services/xml_rpc_value.h"

namespace tarsel {

class XmlRpcIntegerObject final : public XmlRpcValueObject {
 public:
  explicit XmlRpcIntegerObject(int32_t number) : number_(number) {}
  std::unique_ptr<XmlRpcValueObject> Clone() const override;
  const char* TypeName() const override { return "int"; }
  void AppendXml(std::string& out) const override;
  XmlRpcKind Kind() const override { return XmlRpcKind::kInteger; }
  int32_t number() const { return number_; }

 private:
  int32_t number_;
};

class XmlRpcDoubleObject final : public XmlRpcValueObject {
 public:
  explicit XmlRpcDoubleObject(double number) : number_(number) {}
  std::unique_ptr<XmlRpcValueObject> Clone() const override;
  const char* TypeName() const override { return "double"; }
  // Six decimals, always with a '.', whatever the process locale says.
  void AppendXml(std::string& out) const override;
  XmlRpcKind Kind() const override { return XmlRpcKind::kDouble; }
  double number() const { return number_; }

 private:
  double number_;
};

class XmlRpcBooleanObject final : public XmlRpcValueObject {
 public:
  explicit XmlRpcBooleanObject(bool flag) : flag_(flag) {}
  std::unique_ptr<XmlRpcValueObject> Clone() const override;
  const char* TypeName() const override { return "bool"; }
  void AppendXml(std::string& out) const override;
  XmlRpcKind Kind() const override { return XmlRpcKind::kBoolean; }
  bool flag() const { return flag_; }

 private:
  bool flag_;
};

// Strings and dates differ only in their kind, type name and element name.
class XmlRpcTextObject final : public XmlRpcValueObject {
 public:
  XmlRpcTextObject(XmlRpcKind kind, std::string text) : kind_(kind), text_(std::move(text)) {}
  std::unique_ptr<XmlRpcValueObject> Clone() const override;
  const char* TypeName() const override;
  void AppendXml(std::string& out) const override;
  XmlRpcKind Kind() const override { return kind_; }
  const std::string& text() const { return text_; }

 private:
  XmlRpcKind kind_;  // kString or kDateTime
  std::string text_;
};

class XmlRpcArrayObject final : public XmlRpcValueObject {
 public:
  explicit XmlRpcArrayObject(XmlRpcArray elements) : elements_(std::move(elements)) {}
  std::unique_ptr<XmlRpcValueObject> Clone() const override;
  const char* TypeName() const override { return "array"; }
  void AppendXml(std::string& out) const override;
  XmlRpcKind Kind() const override { return XmlRpcKind::kArray; }
  const XmlRpcArray& elements() const { return elements_; }

 private:
  XmlRpcArray elements_;
};

class XmlRpcStructObject final : public XmlRpcValueObject {
 public:
  explicit XmlRpcStructObject(XmlRpcMembers members) : members_(std::move(members)) {}
  std::unique_ptr<XmlRpcValueObject> Clone() const override;
  const char* TypeName() const override { return "struct"; }
  void AppendXml(std::string& out) const override;
  XmlRpcKind Kind() const override { return XmlRpcKind::kStruct; }
  const XmlRpcMembers& members() const { return members_; }

 private:
  XmlRpcMembers members_;
};

}  // namespace tarsel
