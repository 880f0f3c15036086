#include "services/smtp_mailer.h"

#include <cstdio>
#include <ctime>

#include "services/mail_header_word.h"

namespace tarsel {
namespace {

std::string WithoutLineBreaks(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

std::string RecipientEntry(const std::string& address, const std::string& name) {
  return WithoutLineBreaks(name) + "<" + WithoutLineBreaks(address) + ">";
}

// The text after the first '<' (closing '>' included); an entry with nothing after a '<'
// gives itself without its leading '<' characters.
std::string AddressPart(const std::string& entry) {
  size_t open = entry.find('<');
  if (open != std::string::npos && open + 1 < entry.size()) return entry.substr(open + 1);
  size_t first = entry.find_first_not_of('<');
  return first == std::string::npos ? std::string() : entry.substr(first);
}

std::string JoinEntries(const std::vector<std::string>& entries) {
  std::string joined;
  for (const std::string& entry : entries) {
    if (!joined.empty()) joined += ',';
    joined += entry;
  }
  return joined;
}

}  // namespace

std::string FormatMailDate(int32_t utc_seconds) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::time_t time = utc_seconds;
  std::tm parts{};
  if (gmtime_r(&time, &parts) == nullptr) return std::string();
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[parts.tm_wday],
                parts.tm_mday, kMonths[parts.tm_mon], parts.tm_year + 1900, parts.tm_hour,
                parts.tm_min, parts.tm_sec);
  return text;
}

std::string EncodeMailBody(std::string_view body) {
  std::string encoded;
  encoded.reserve(body.size() + body.size() / 16 + 2);
  bool line_start = true;
  for (size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    if (c == '\r' || c == '\n') {
      // Bare CR or LF inside DATA is refused by careful servers; send every break as CR LF.
      if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
      encoded += "\r\n";
      line_start = true;
      continue;
    }
    if (line_start && c == '.') encoded += '.';
    encoded += c;
    line_start = false;
  }
  return encoded;
}

SmtpMailer::~SmtpMailer() {
  if (connected_) Quit();
}

void SmtpMailer::AddRecipient(const std::string& address, const std::string& name) {
  to_.push_back(RecipientEntry(address, name));
}

void SmtpMailer::AddCcRecipient(const std::string& address, const std::string& name) {
  cc_.push_back(RecipientEntry(address, name));
}

void SmtpMailer::AddBccRecipient(const std::string& address, const std::string& name) {
  bcc_.push_back(RecipientEntry(address, name));
}

void SmtpMailer::SetEnvelopeSender(const std::string& address) {
  envelope_sender_ = WithoutLineBreaks(address);
}

void SmtpMailer::SetFrom(const std::string& text) {
  from_ = WithoutLineBreaks(text);
}

void SmtpMailer::SetSubject(const std::string& text) {
  subject_ = WithoutLineBreaks(text);
}

void SmtpMailer::SetReplyTo(const std::string& text) {
  reply_to_ = WithoutLineBreaks(text);
}

void SmtpMailer::SetBody(const std::string& text) {
  body_ = text;
}

void SmtpMailer::Drop() {
  connection_.reset();
  connected_ = false;
}

bool SmtpMailer::Command(std::string_view text) {
  std::string reply;  // read whole so that each reply pairs with its command; never judged
  return connection_ != nullptr && connection_->SendAll(text) && connection_->ReadReply(&reply);
}

bool SmtpMailer::Connect(const std::string& server, uint16_t port) {
  if (connected_) Quit();
  Drop();
  connection_ = std::make_unique<SmtpConnection>(timeout_);
  std::string greeting;
  // The greeting comes first: some servers drop a client that speaks before it.
  if (!connection_->Open(server, port != 0 ? port : MailServicePort("mail")) ||
      !connection_->ReadReply(&greeting) || !Command("HELO " + server + "\r\n")) {
    Drop();
    return false;
  }
  connected_ = true;
  return true;
}

bool SmtpMailer::Send() {
  if (envelope_sender_.empty()) return false;
  std::string header = BuildHeaderBlock(static_cast<int32_t>(std::time(nullptr)));
  if (header.empty() || !connected_) return false;
  bool ok = Command("MAIL FROM: <" + envelope_sender_ + ">\r\n");
  for (const auto* list : {&to_, &cc_, &bcc_}) {
    for (const std::string& entry : *list) {
      ok = ok && Command("RCPT TO: <" + AddressPart(entry) + "\r\n");
    }
  }
  ok = ok && Command("DATA\r\n");
  ok = ok && Command(header + EncodeMailBody(body_) + "\r\n.\r\n");
  if (!ok) Drop();
  return ok;
}

bool SmtpMailer::Quit() {
  if (!connected_) return false;
  if (!connection_->SendAll("QUIT\r\n")) {
    // Nobody reads this in the desktop program; stderr keeps it out of tarsel-cli's output.
    std::fprintf(stderr, "Socket send error: %d\r\n", connection_->last_error());
    Drop();
    return false;
  }
  std::string reply;
  connection_->ReadReply(&reply);
  Drop();
  return true;
}

std::string SmtpMailer::BuildHeaderBlock(int32_t now) const {
  if (to_.empty()) return std::string();
  std::string header = "DATE: " + FormatMailDate(now) + "\r\n";
  header += "FROM: " + from_ + "\r\n";
  header += "To: " + JoinEntries(to_) + "\r\n";
  header += "Cc: " + JoinEntries(cc_) + "\r\n";
  header += "Subject: " + EncodeHeaderWords(subject_) + "\r\n";
  header += "X-Mailer: " + x_mailer_ + "\r\n";
  header += "Reply-To: " + reply_to_ + "\r\n";
  header += "MIME-Version: 1.0\r\nContent-type: text/plain; charset=UTF-8\r\n";
  header += "Content-Transfer-Encoding: 8bit\r\n";
  header += "\r\n";
  return header;
}

bool SendUpdateMail(const UpdateMail& mail) {
  SmtpMailer mailer;
  mailer.SetTimeout(mail.timeout);
  mailer.AddRecipient(mail.to_address, "");
  mailer.SetBody(mail.body);
  mailer.SetSubject(mail.subject);
  mailer.SetFrom("");
  mailer.SetEnvelopeSender(mail.sender);
  mailer.SetReplyTo(mail.sender);
  mailer.Connect(mail.server, mail.port);
  return mailer.Send();  // the destructor says QUIT
}

}  // namespace tarsel
