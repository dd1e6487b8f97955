#include "app/UndoRecord.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

TEST(UndoRecordTest, TheFileGivesBackTheRecordAndTheOpenQuestionAndACutFileNone) {
  TSetRecord record;
  record.Caption = "Office";
  record.EnableIP = record.AutoIP = true;
  record.UseIP = false;
  record.ProxyServer = true;
  record.ProxyAddress = "proxy.lab";
  record.Workgroup = true;
  record.WorkgroupText = "LAB";
  record.NetworkAdapterGuid = "{5143A1D0-0000-4000-8000-000000000001}";
  for (const bool questionOpen : {false, true}) {
    const auto undo = ParseUndoFile(UndoFileBytes(record, questionOpen));
    ASSERT_TRUE(undo);
    EXPECT_EQ(undo->Record, record);
    EXPECT_EQ(undo->QuestionOpen, questionOpen);
  }
  const std::string bytes = UndoFileBytes(record);
  EXPECT_FALSE(ParseUndoFile(bytes.substr(0, bytes.find("NetworkAdapterGuid"))));
  EXPECT_FALSE(ParseUndoFile(""));
}

} // namespace
} // namespace quorvin::test
