#include "system/HostOperations.h"
#include "system/sim/InMemoryHost.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

using Calls = std::vector<std::string>;

TEST(HostSettings, WorkgroupNameIsEmptyWhenTheQueryFails) {
  InMemoryHost host;
  host.Workgroup = "SALES";
  EXPECT_EQ(GetWorkgroupName(host), "SALES");
  host.WorkgroupStatus = 5;
  EXPECT_EQ(GetWorkgroupName(host), "");
}

TEST(SetHostName, FifteenCharactersPassUnchangedToBothCalls) {
  InMemoryHost host;
  EXPECT_TRUE(SetHostName(host, "ABCDEFGHIJKLMNO"));
  EXPECT_EQ(host.Calls,
            (Calls{"SetComputerName 4 ABCDEFGHIJKLMNO", "SetComputerName 5 ABCDEFGHIJKLMNO"}));
}

TEST(SetHostName, NineteenCharactersStillFit) {
  InMemoryHost host;
  EXPECT_TRUE(SetHostName(host, std::string(19, 'N')));
  EXPECT_EQ(host.Calls.size(), 2u);
}

TEST(SetHostName, LongerNameIsRefusedWithoutAnyCall) {
  InMemoryHost host;
  EXPECT_FALSE(SetHostName(host, std::string(20, 'N')));
  EXPECT_TRUE(host.Calls.empty());
}

TEST(SetHostName, FirstFailurePreventsTheSecondCall) {
  InMemoryHost host;
  host.RefusedNameKinds = {ComputerNameKind::PhysicalNetBios};
  EXPECT_FALSE(SetHostName(host, "NAME"));
  EXPECT_EQ(host.Calls, Calls{"SetComputerName 4 NAME"});
}

TEST(SetHostName, SecondFailureIsFalse) {
  InMemoryHost host;
  host.RefusedNameKinds = {ComputerNameKind::PhysicalDnsHostname};
  EXPECT_FALSE(SetHostName(host, "NAME"));
  EXPECT_EQ(host.Calls.size(), 2u);
}

TEST(JoinWorkgroup, StatusIsReturnedUnchanged) {
  InMemoryHost host;
  EXPECT_EQ(JoinWorkgroup(host, "WORKGROUP"), 0u);
  host.JoinStatus = 2691; // NERR_SetupAlreadyJoined
  EXPECT_EQ(JoinWorkgroup(host, "WORKGROUP"), 2691u);
  EXPECT_EQ(host.Calls, (Calls{"JoinWorkgroup WORKGROUP", "JoinWorkgroup WORKGROUP"}));
}

class MakeDefaultPrinterTest : public ::testing::Test {
protected:
  MakeDefaultPrinterTest() {
    FHost.Profile[{"devices", "office laser"}] = "winspool,Ne00:";
    FHost.Profile[{"devices", "blank"}] = "   ";
  }
  InMemoryHost FHost;
};

TEST_F(MakeDefaultPrinterTest, OldDefaultIsEmptiedThenTheNewWritten) {
  FHost.Profile[{"windows", "device"}] = "Other,winspool,Ne01:";
  EXPECT_TRUE(MakeDefaultPrinter(FHost, "Office Laser"));
  EXPECT_EQ(FHost.Calls, (Calls{"WriteProfileString Windows Device=",
                                "WriteProfileString Windows Device=Office Laser,winspool,Ne00:"}));
  EXPECT_EQ(GetDefaultPrinter(FHost), "Office Laser");
}

TEST_F(MakeDefaultPrinterTest, EmptyOldDefaultWritesOnlyTheNewValue) {
  FHost.Profile[{"windows", "device"}] = "";
  EXPECT_TRUE(MakeDefaultPrinter(FHost, "Office Laser"));
  EXPECT_EQ(FHost.Calls, Calls{"WriteProfileString Windows Device=Office Laser,winspool,Ne00:"});
}

TEST_F(MakeDefaultPrinterTest, UnknownPrinterChangesNothing) {
  FHost.Profile[{"windows", "device"}] = "Other,winspool,Ne01:";
  EXPECT_FALSE(MakeDefaultPrinter(FHost, "Typed Name"));
  EXPECT_TRUE(FHost.Calls.empty());
  EXPECT_EQ(GetDefaultPrinter(FHost), "Other");
}

TEST_F(MakeDefaultPrinterTest, BlankEntryChangesNothing) {
  EXPECT_FALSE(MakeDefaultPrinter(FHost, "Blank"));
  EXPECT_TRUE(FHost.Calls.empty());
}

// Whichever of the two writes the profile refuses, the default is unknown.
TEST_F(MakeDefaultPrinterTest, ARefusedWriteFails) {
  FHost.Profile[{"windows", "device"}] = "Other,winspool,Ne01:";
  for (const std::size_t accepted : {0u, 1u}) {
    InMemoryHost host = FHost;
    host.AcceptedProfileWrites = accepted;
    EXPECT_FALSE(MakeDefaultPrinter(host, "Office Laser"));
    EXPECT_EQ(host.Calls.size(), accepted + 1) << "nothing is written after a refusal";
  }
}

TEST_F(MakeDefaultPrinterTest, EntryIsReadThroughTheProfileBuffer) {
  FHost.Profile[{"devices", "long"}] = std::string(300, 'x');
  EXPECT_TRUE(MakeDefaultPrinter(FHost, "Long"));
  const std::string written = FHost.Profile[{"windows", "device"}];
  EXPECT_EQ(written, "Long," + std::string(kProfileBufferSize - 1, 'x'));
}

TEST(GetDefaultPrinter, NoDefaultIsEmpty) {
  InMemoryHost host;
  EXPECT_EQ(GetDefaultPrinter(host), "");
}

} // namespace
} // namespace quorvin::test
