// Fixture for end-to-end tests: a fresh program directory per test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/cgi_runner.h"
#include "support/temp_dir.h"

class CgiTest : public ::testing::Test {
 protected:
  CgiResponse Run(const CgiRequest& request) {
    CgiResponse response = RunCgi(CgiProgramPath(), dir.path(), request);
    EXPECT_EQ(response.exitStatus, 0);
    return response;
  }
  CgiResponse Get(const std::string& query) {
    CgiRequest request;
    request.query = query;
    return Run(request);
  }
  CgiResponse Post(const std::string& body) {
    CgiRequest request;
    request.body = body;
    return Run(request);
  }

  // "version=ID" with the id of the program folder's file `name` as it stands,
  // as the page showing it would carry: the field every whole-file save needs.
  std::string VersionField(const std::string& name) const;

  TempDir dir;
};
