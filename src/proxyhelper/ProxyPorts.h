#pragma once
// What Pevrix's command handling needs from the system, kept small so that
// tests can stand in for the registry, WinINet and the message box.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvin::pevrix {

// A refused registry write: the fixed text for the user and the system's code.
// Pevrix links nothing of Quorvin, so it carries its own error type.
class ProxyError : public std::runtime_error {
public:
  explicit ProxyError(const std::string& text, std::uint32_t code = 0)
      : std::runtime_error(text), FCode(code) {}
  std::uint32_t Code() const noexcept { return FCode; }

private:
  std::uint32_t FCode;
};

// An open registry key of the current user. Destroying it closes the key.
class ProxySettingsKey {
public:
  virtual ~ProxySettingsKey() = default;
  // Each answers the system's status: 0 when the value was stored.
  virtual std::uint32_t WriteString(std::string_view name, std::string_view value) = 0;
  virtual std::uint32_t WriteDword(std::string_view name, std::uint32_t value) = 0;
};

class ProxyRegistry {
public:
  virtual ~ProxyRegistry() = default;
  // Opens a key below the current user's root with full access, creating it
  // when it is missing; null when it can neither be opened nor created.
  virtual std::unique_ptr<ProxySettingsKey> OpenOrCreateKey(std::string_view path) = 0;
};

// The internet library's process-wide options, set with no handle and no
// buffer; the platform's answer is of no interest to the helper.
class InternetOptions {
public:
  virtual ~InternetOptions() = default;
  virtual void SetOption(std::uint32_t option) = 0;
};

// Shows an error text to the user and returns once it has been read.
class ErrorReporter {
public:
  virtual ~ErrorReporter() = default;
  virtual void ShowError(const std::string& text) = 0;
};

struct ProxyPorts {
  ProxyRegistry& Registry;
  InternetOptions& Options;
  ErrorReporter& Errors;
};

} // namespace quorvin::pevrix
