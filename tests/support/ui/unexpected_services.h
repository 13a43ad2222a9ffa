#pragma once
// Services for the pages and the header bar whose every call fails the
// test: a page that reaches a service the test did not put in is caught.
#include "pages/services.h"

namespace testsupport {

pages::Services UnexpectedServices();

}  // namespace testsupport
