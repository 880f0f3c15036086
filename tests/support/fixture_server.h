#pragma once

// Loopback HTTP servers for network tests. Nothing leaves the machine: both servers listen on
// 127.0.0.1 on a port the system picks at run time, and each runs in its own thread from
// construction to destruction.
//
// FixtureServer (cpp-httplib underneath) answers ordinary HTTP requests from endpoints that a
// test registers as RAII objects:
//
//   tarsel::testing::FixtureServer server;
//   auto feed = server.Serve("/feed.xml", {200, "<rss/>", "text/xml"});
//   auto echo = server.Serve("/echo", [](const FixtureRequest& request) {
//     return FixtureResponse{200, request.Header("User-Agent")};
//   });
//   Download(server.Url("/feed.xml"));
//   EXPECT_EQ(feed.Hits(), 1);
//   EXPECT_EQ(feed.LastRequest().Header("Accept-Encoding"), "gzip");
//
// An endpoint matches its path exactly, whatever the method; the path excludes the query
// string. A request no endpoint matches gets 404 and is still counted by the server. An
// endpoint answers until its object goes out of scope. Every connection closes after one
// request, so each request arrives on a fresh connection and the server stops at once.
//
// A test may point a client at the server as its HTTP proxy: the request then carries the
// absolute URL as its target ("http://feeds.example/x"), and an endpoint registered under that
// absolute URL answers it.
//
// RawFixtureServer writes bytes the test chooses, for answers an HTTP library would refuse to
// produce (malformed headers, bodies shorter than announced, stalls). It serves one connection at
// a time: reads the request head (and a body of "Content-Length" bytes), records it, writes the
// reply, then closes, or keeps the connection open without a word until the server is destroyed.
//
// Handlers run on server threads; Hits and LastRequest are safe to call from the test thread.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarsel::testing {

using FixtureHeaders = std::vector<std::pair<std::string, std::string>>;

struct FixtureRequest {
  std::string method;
  std::string path;    // without the query; the absolute URL when sent to a proxy
  std::string target;  // the request target as sent, query included
  std::string body;
  FixtureHeaders headers;  // names as sent, ordered by name (the wire order is lost)

  // The first header of that name, without regard to case; empty when absent.
  std::string Header(std::string_view name) const;
  bool HasHeader(std::string_view name) const;
};

struct FixtureResponse {
  FixtureResponse() = default;
  FixtureResponse(int status_code, std::string body_bytes, std::string type = "text/plain",
                  FixtureHeaders extra_headers = {})
      : status(status_code),
        body(std::move(body_bytes)),
        content_type(std::move(type)),
        headers(std::move(extra_headers)) {}

  int status = 200;
  std::string body;
  std::string content_type = "text/plain";
  FixtureHeaders headers;  // sent besides Content-Type and Content-Length
};

using FixtureHandler = std::function<FixtureResponse(const FixtureRequest&)>;

class FixtureServer {
 public:
  struct State;

  // A registered endpoint; unregisters itself when destroyed. Movable, not copyable.
  class Endpoint {
   public:
    Endpoint(Endpoint&& other) noexcept;
    Endpoint& operator=(Endpoint&& other) noexcept;
    ~Endpoint();

    int Hits() const;
    // The last request this endpoint answered; empty fields before the first.
    FixtureRequest LastRequest() const;

   private:
    friend class FixtureServer;
    Endpoint(std::shared_ptr<State> state, int id) : state_(std::move(state)), id_(id) {}
    void Release();
    std::shared_ptr<State> state_;
    int id_ = 0;
  };

  // Starts listening; throws std::runtime_error when no port can be bound.
  FixtureServer();
  // Stops the server and waits for its thread.
  ~FixtureServer();
  FixtureServer(const FixtureServer&) = delete;
  FixtureServer& operator=(const FixtureServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by path.
  std::string Url(std::string_view path = "/") const;

  // Registers an endpoint at path (exact match); a later registration of the same path wins
  // while it lives.
  [[nodiscard]] Endpoint Serve(std::string path, FixtureHandler handler);
  // An endpoint that always gives the same answer.
  [[nodiscard]] Endpoint Serve(std::string path, FixtureResponse response);

  // All requests the server received, matched or not.
  int Hits() const;
  // The last request the server received, matched or not.
  FixtureRequest LastRequest() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
  std::shared_ptr<State> state_;
  int port_ = 0;
};

class RawFixtureServer {
 public:
  // reply: the bytes written after each request. hold_open: keep the connection open and
  // silent after the reply until the server is destroyed (a server that stopped sending).
  explicit RawFixtureServer(std::string reply, bool hold_open = false);
  ~RawFixtureServer();
  RawFixtureServer(const RawFixtureServer&) = delete;
  RawFixtureServer& operator=(const RawFixtureServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by path.
  std::string Url(std::string_view path = "/") const;
  // Connections accepted so far.
  int Hits() const;
  // The bytes of the last request: request line, headers, blank line, body.
  std::string LastRequest() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
  int port_ = 0;
};

}  // namespace tarsel::testing
