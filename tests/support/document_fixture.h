// A test holding one QuizDocument with its defaults, made through a recording
// platform seam and released after the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/content/document.h"
#include "recording_platform.h"

struct DocumentFixture : ::testing::Test {
  RecordingPlatform platform;
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  void SetUp() override { init_document(doc); }
  void TearDown() override {
    release_document(doc);
    free(doc);
  }
};
