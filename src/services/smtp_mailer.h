#pragma once

// A small SMTP client for the plain-text update mails: one object holds one connection and one
// message, speaks HELO / MAIL FROM / RCPT TO / DATA / QUIT without authentication or
// encryption, and reads every reply whole without judging its code. A closed connection or a
// reply that does not come within the time-out ends the exchange as a failure.
//
// All texts are UTF-8 (callers convert from the program's code page); the mail says so in its
// content type, and a subject beyond ASCII goes out as encoded words. Header values and
// addresses lose every CR and LF when they are set (a subject made from a feed title cannot add
// header lines).
// The mailer never reads Settings: the caller passes the server (`smtpserver`) and the sender
// (`mail`). One object belongs to one thread; mails of different threads use their own objects.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "services/smtp_connection.h"

namespace tarsel {

class SmtpMailer {
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeout{30000};

  SmtpMailer() = default;
  // Says QUIT first when still connected.
  ~SmtpMailer();
  SmtpMailer(const SmtpMailer&) = delete;
  SmtpMailer& operator=(const SmtpMailer&) = delete;

  // Appends name + "<" + address + ">" to the To list (an empty name gives "<address>").
  void AddRecipient(const std::string& address, const std::string& name);
  void AddCcRecipient(const std::string& address, const std::string& name);
  // Bcc recipients get the mail but never appear in the header.
  void AddBccRecipient(const std::string& address, const std::string& name);

  void SetEnvelopeSender(const std::string& address);  // MAIL FROM; empty means no mail
  void SetFrom(const std::string& text);
  void SetSubject(const std::string& text);
  void SetReplyTo(const std::string& text);
  void SetBody(const std::string& text);  // lines separated by "\n" or "\r\n"

  // Time-out of each connect, send and reply; applies to the next Connect.
  void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

  // Connects to server and greets it with "HELO <server>". port is in host byte order;
  // 0 means the system's "mail" service port (25 when unknown). Quits an open connection first.
  bool Connect(const std::string& server, uint16_t port);
  // Sends the message over the open connection. False, with nothing sent, when the envelope
  // sender or the To list is empty; false when the connection fails on the way (it is then
  // dropped, so the destructor does not wait for a dead server again).
  bool Send();
  // Says QUIT and closes. False when not connected or when QUIT cannot be sent.
  bool Quit();
  bool connected() const { return connected_; }

  // The header lines DATE, FROM, To, Cc, Subject, X-Mailer, Reply-To, the MIME lines and the
  // blank line, each ended by CR LF, dated now (UTC seconds). Empty when the To list is empty.
  std::string BuildHeaderBlock(int32_t now) const;

 private:
  bool Command(std::string_view text);
  void Drop();

  bool connected_ = false;
  std::string envelope_sender_;
  std::string from_;
  std::string subject_;
  std::string body_;
  std::string x_mailer_;  // no setter: the mails carry an empty X-Mailer line
  std::string reply_to_;
  std::vector<std::string> to_;
  std::vector<std::string> cc_;
  std::vector<std::string> bcc_;
  std::chrono::milliseconds timeout_ = kDefaultTimeout;
  std::unique_ptr<SmtpConnection> connection_;
};

// "Tue, 05 Mar 2024 13:05:09 +0000": the UTC time in the standard mail date form, with English
// day and month names whatever the locale.
std::string FormatMailDate(int32_t utc_seconds);

// The body as it travels inside DATA: every line break becomes CR LF and every line that begins
// with '.' gets one more '.' in front, so a line holding only "." cannot end the mail early.
std::string EncodeMailBody(std::string_view body);

// One update mail, sent exactly as the update notifications do it: To = to_address (no name),
// envelope sender and Reply-To = sender, empty From, then connect, send and quit.
struct UpdateMail {
  std::string server;      // the `smtpserver` setting
  uint16_t port = 0;       // host byte order; 0 = the "mail" service port
  std::string sender;      // the `mail` setting
  std::string to_address;  // the column's mail address
  std::string subject;
  std::string body;
  std::chrono::milliseconds timeout = SmtpMailer::kDefaultTimeout;
};

// True when the whole message went out; nothing is shown to the user either way.
bool SendUpdateMail(const UpdateMail& mail);

}  // namespace tarsel
