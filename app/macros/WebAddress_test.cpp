// What a web page key opens.
#include "app/macros/WebAddress.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(WebAddress, PrefixesOnlyBareAddresses) {
  struct Case {
    const char* typed;
    const char* opened;
  };
  for (const Case& c : {
           Case{"example.com", "http://www.example.com"},
           Case{"example.com/a?b=c", "http://www.example.com/a?b=c"},
           Case{"www.example.com", "http://www.example.com"},
           Case{"WWW.Example.com", "http://WWW.Example.com"},
           Case{"https://example.com/x", "https://example.com/x"},
           Case{"HTTP://example.com", "HTTP://example.com"},
           Case{"ftp://files.example.com", "ftp://files.example.com"},
           Case{"mailto:me@example.com", "mailto:me@example.com"},
           Case{"example.com:8080/x", "http://www.example.com:8080/x"},
           Case{"localhost:631", "http://localhost:631"},
           Case{"192.168.1.1", "http://192.168.1.1"},
           Case{"[::1]:8080", "http://[::1]:8080"},
           Case{"  example.com \n", "http://www.example.com"},
           Case{"", ""},
           Case{"   ", ""},
           // A leading dash stays behind the scheme, never an option of the opener.
           Case{"-x", "http://www.-x"},
       }) {
    EXPECT_EQ(WebAddressToOpen(c.typed), c.opened) << c.typed;
  }
}

}  // namespace
}  // namespace tessaro
