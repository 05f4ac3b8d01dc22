#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "ScriptedTransport.h"
#include "device/IcQT47.h"
#include "device/InterfaceRules.h"
#include "shared/FakeClock.h"

namespace vorlix {
namespace {

using testing::CScriptedTransport;
using Bytes = std::vector<uint8_t>;
using Sleeps = std::vector<uint32_t>;
using Kind = CScriptedTransport::STransfer::Kind;

Bytes Report(Bytes bytes) {
    bytes.resize(CIcQT47::kReportLength, 0);
    return bytes;
}

// The protocol object against a transport that answers from a script, on a clock that only moves
// when the protocol pauses.
class IcQT47Scripted : public ::testing::Test {
protected:
    IcQT47Scripted() {
        HidInterfaceInfo data;
        data.path = "data";
        data.vendorId = 1;
        data.productId = 2;
        data.interfaceNumber = 1;
        data.composite = true;
        data.collections = {kDataCollection};
        transport->interfaces = {data};
        protocol->Reset();
        protocol->SetFamily(0x2401);
        protocol->SetDevicePath("cmd");
    }
    ~IcQT47Scripted() override { transport->Release(); }

    void Answer(Bytes bytes) { transport->answers.push_back(CScriptedTransport::Command(std::move(bytes))); }
    void AnswerData(Bytes bytes) { transport->answers.push_back({HidStatus::Ok, std::move(bytes), false}); }
    std::vector<Bytes> Sent() {
        std::vector<Bytes> sent;
        for (const auto& transfer : transport->Transfers()) {
            if (transfer.kind == Kind::Set) {
                sent.push_back(transfer.bytes);
            }
        }
        return sent;
    }
    size_t Gets() {
        size_t gets = 0;
        for (const auto& transfer : transport->Transfers()) {
            gets += transfer.kind == Kind::Get ? 1 : 0;
        }
        return gets;
    }

    std::shared_ptr<CScriptedTransport> transport = std::make_shared<CScriptedTransport>();
    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    std::unique_ptr<CIcQT47> protocol = std::make_unique<CIcQT47>(transport, clock, waiter);
};

TEST_F(IcQT47Scripted, ReadByteSendsTheAddressAndPollsThroughBusyAnswers) {
    for (int i = 0; i < 3; ++i) {
        Answer({0, 0xB1});
    }
    Answer({0, 0xB0, 0xC0, 0x34, 0x12, 0x77});
    int value = -1;
    EXPECT_EQ(protocol->ReadByte(0x1234, &value), 1);
    EXPECT_EQ(value, 0x77);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{Report({0, 0xDF, 0x34, 0x12})}));
    EXPECT_EQ(Gets(), 4u);
    EXPECT_EQ(clock.Sleeps(), (Sleeps{10, 10, 10, 10}));  // settle, then three busy polls
}

TEST_F(IcQT47Scripted, ReadByteFailsAtOnceOnAnotherAddressEcho) {
    Answer({0, 0xB0, 0xC0, 0x35, 0x12, 0x77});
    int value = -1;
    EXPECT_EQ(protocol->ReadByte(0x1234, &value), 0);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Gets(), 1u);
}

TEST_F(IcQT47Scripted, ReadByteGivesUpAfterTenSilentAttempts) {
    EXPECT_EQ(protocol->ReadByte(7, nullptr), 0);
    EXPECT_EQ(Sent().size(), 10u);
    EXPECT_EQ(Gets(), 100u);
    // Per attempt: settle and ten 10 ms polls; 120 ms between attempts.
    EXPECT_EQ(clock.TotalSleptMs(), 10u * (10 + 100) + 9u * 120);
}

TEST_F(IcQT47Scripted, ShortAnswersNeverCount) {
    transport->answers.push_back({HidStatus::Ok, {0, 0xB0, 0xC0, 0x07, 0x00}, false});
    transport->answers.push_back({HidStatus::Ok, {0, 0xB0, 0xC1, 0x07, 0x00}, false});
    int value = -1;
    EXPECT_EQ(protocol->ReadByte(7, &value), 0);
    EXPECT_EQ(protocol->LastError(), CIcQT47::kErrGetFailed);
    EXPECT_EQ(value, -1);
}

TEST_F(IcQT47Scripted, WriteByteRefusesTheHoleAndSendsHighAddressesWhole) {
    for (unsigned address : {0x4000u, 0x7FFFu, 0xC000u}) {
        EXPECT_EQ(protocol->WriteByte(address, 1), 0) << address;
    }
    EXPECT_TRUE(transport->Transfers().empty());
    Answer({0, 0xB0, 0xC1, 0x05, 0x80});
    EXPECT_EQ(protocol->WriteByte(0x8005, 0x1AB), 1);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{Report({0, 0xDE, 0x05, 0x80, 0xAB})}));
}

TEST_F(IcQT47Scripted, WriteByteMarksTheCellStoredOnlyWhenConfirmed) {
    protocol->SetCell(300, 5);
    Answer({0, 0xB0, 0xC1, 0x2C, 0x01});
    EXPECT_EQ(protocol->WriteByte(300, 9), 1);
    EXPECT_EQ(protocol->Cell(300).value, 9);
    EXPECT_EQ(protocol->Cell(300).valid, 1);
    EXPECT_EQ(protocol->Cell(300).changed, 0);

    // A mouse that only ever answers busy has not done the write.
    clock.ClearSleeps();
    protocol->SetCell(301, 5);
    for (int i = 0; i < 100; ++i) {
        Answer({0, 0xB1});
    }
    EXPECT_EQ(protocol->WriteByte(301, 9), 0);
    EXPECT_EQ(protocol->Cell(301).valid, 0);
    EXPECT_EQ(protocol->Cell(301).changed, 1);
    EXPECT_EQ(clock.TotalSleptMs(), 10u * (10 + 100));  // no pause between attempts
}

TEST_F(IcQT47Scripted, SetCellFollowsTheEditingRule) {
    EXPECT_EQ(protocol->SetCell(10, 0), 1);  // equal value, not valid: marked changed
    EXPECT_EQ(protocol->Cell(10).changed, 1);
    EXPECT_EQ(protocol->SetCell(11, 4), 1);  // new value
    protocol->CellRef(12) = {1, 0, 4};
    EXPECT_EQ(protocol->SetCell(12, 4), 0);  // equal on a valid, unchanged cell: nothing
    protocol->CellRef(13) = {1, 1, 4};
    EXPECT_EQ(protocol->SetCell(13, 4), 1);  // equal on a valid, changed cell: still changed
    EXPECT_EQ(protocol->SetCell(-1, 4), 0);
    EXPECT_EQ(protocol->SetCell(static_cast<int>(CIcQT47::kImageCells), 4), 0);
}

TEST_F(IcQT47Scripted, AdoptedCellsHoldTheMousesValueInsideTheImageOnly) {
    protocol->SetCell(20, 7);
    protocol->AdoptCell(20, 9);
    EXPECT_EQ(protocol->Cell(20).value, 9);
    EXPECT_EQ(protocol->Cell(20).valid, 1);
    EXPECT_EQ(protocol->Cell(20).changed, 0);
    EXPECT_TRUE(protocol->Holds(20, 9));
    EXPECT_FALSE(protocol->Holds(20, 8));
    protocol->SetCell(20, 7);
    EXPECT_FALSE(protocol->Holds(20, 7)) << "an edit is not what the mouse holds";
    // Outside the image nothing is written; the scratch cell stays empty.
    protocol->AdoptCell(-1, 9);
    protocol->AdoptCell(static_cast<int>(CIcQT47::kImageCells), 9);
    EXPECT_EQ(protocol->CellRef(-1).valid, 0);

    const int size = static_cast<int>(protocol->MemorySize());
    ASSERT_GT(size, 0);
    EXPECT_TRUE(protocol->InMemory(0));
    EXPECT_TRUE(protocol->InMemory(size - 1));
    EXPECT_FALSE(protocol->InMemory(size));
    EXPECT_FALSE(protocol->InMemory(-1));
}

TEST_F(IcQT47Scripted, CommandsSendZerosWhereTheyFillNothing) {
    Answer({0, 0xB0, 0xC0, 0x07, 0x00, 0x99, 0x98, 0x97, 0x96});
    protocol->ReadByte(7, nullptr);
    EXPECT_EQ(protocol->SendControl(7, 2, 0), 1);
    EXPECT_EQ(protocol->SendCommand(0, 0xC5, 0x00, 0x2E, 9, 0), 1);
    EXPECT_EQ(protocol->ApplySettings(), 1);
    EXPECT_EQ(protocol->SendEffect(0x00, 3, 0x1AB), 1);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[1], Report({0, 0xC4, 0x07, 0x02, 0x00}));
    EXPECT_EQ(sent[2], Report({0, 0xC5, 0x00, 0x2E, 0x09}));
    EXPECT_EQ(sent[3], Report({0, 0xC4, 0x00}));
    EXPECT_EQ(sent[4], Report({0, 0xC4, 0x0F, 0x00, 0x03, 0xAB}));
}

TEST_F(IcQT47Scripted, ControlRetriesAFailingSetTenTimes) {
    transport->setStatus = HidStatus::IoFailed;
    EXPECT_EQ(protocol->SendControl(0, 0, 0), 0);
    EXPECT_EQ(protocol->LastError(), CIcQT47::kErrSetFailed);
    EXPECT_EQ(Sent().size(), 10u);
    EXPECT_EQ(clock.TotalSleptMs(), 10u * (120 + 120));
    clock.ClearSleeps();
    EXPECT_EQ(protocol->ApplySettings(), 0);
    EXPECT_EQ(Sent().size(), 110u);
    EXPECT_EQ(clock.TotalSleptMs(), 10u * (10u * 240 + 100));
}

TEST_F(IcQT47Scripted, IdentifyTellsFirmwareFromBootLoader) {
    struct SCase {
        Bytes answer;
        int result;
        int mode;
        unsigned version;
    };
    const SCase cases[] = {
        {{0, 0xB0, 0x55, 0xAA, 0x00}, 1, 1, 0},
        {{0, 0xB0, 0x3C, 0xC3, 0x07}, 1, 0, 7},
        {{0, 0xB0, 0x55, 0xAA, 0x80}, 0, -1, 999},
    };
    for (const SCase& c : cases) {
        transport->answers.clear();
        Answer(c.answer);
        int mode = -1;
        unsigned version = 999;
        EXPECT_EQ(protocol->Identify(&mode, &version), c.result);
        EXPECT_EQ(mode, c.mode);
        EXPECT_EQ(version, c.version);
    }
    EXPECT_EQ(Sent().back(), Report({0, 0xC4, 0x08}));
    // Garbage first: one more attempt after 120 ms.
    transport->answers.clear();
    clock.ClearSleeps();
    Answer({0, 0xB0, 0x12, 0x34, 0x05});
    Answer({0, 0xB0, 0x55, 0xAA, 0x09});
    int mode = -1;
    unsigned version = 0;
    EXPECT_EQ(protocol->Identify(&mode, &version), 1);
    EXPECT_EQ(version, 9u);
    EXPECT_EQ(clock.Sleeps(), (Sleeps{10, 10, 120, 10, 10}));
}

TEST_F(IcQT47Scripted, AFailedOpenForgetsThePathAndTellsWhy) {
    transport->openStatus = HidStatus::PermissionDenied;
    EXPECT_EQ(protocol->OpenDevice("cmd"), 0);
    EXPECT_EQ(protocol->LastError(), CIcQT47::kErrOpenFailed);
    EXPECT_EQ(protocol->LastOpenStatus(), HidStatus::PermissionDenied);
    EXPECT_TRUE(protocol->DevicePath().empty());
    transport->openStatus = HidStatus::Ok;
    const int opens = transport->opens;
    EXPECT_EQ(protocol->ReadByte(1, nullptr), 0);
    EXPECT_EQ(protocol->LastError(), CIcQT47::kErrNoPath);
    EXPECT_EQ(transport->opens, opens);
    EXPECT_EQ(protocol->OpenDevice(""), 0);
    EXPECT_EQ(protocol->LastError(), CIcQT47::kErrEmptyPath);
}

TEST_F(IcQT47Scripted, A2402MouseNeverPassesTheSignatureButKeepsItsPath) {
    ASSERT_EQ(protocol->SetFamily(0x2402), 1);
    EXPECT_EQ(protocol->OpenDevice("cmd"), 0);
    EXPECT_EQ(protocol->DevicePath(), "cmd");
    EXPECT_EQ(protocol->SetFamily(0x2500), 0);
    EXPECT_EQ(protocol->Family(), 0x2402u);
}

TEST_F(IcQT47Scripted, FamilyTableGivesBlockGeometry) {
    EXPECT_EQ(protocol->BlockBase(0), 256u);
    EXPECT_EQ(protocol->BlockBase(9), 2560u);
    EXPECT_EQ(protocol->BlockBase(10), 0u);
    EXPECT_EQ(protocol->BlockReportLength(), 154u);
    EXPECT_EQ(protocol->BlockDataLength(0x2300), 127u);
    ASSERT_EQ(protocol->SetFamily(0x2901), 1);
    EXPECT_EQ(protocol->BlockBase(4), 768u);
    EXPECT_EQ(protocol->BlockBase(5), 0u);
    EXPECT_EQ(protocol->MemorySize(), 8192u);
    ASSERT_EQ(protocol->SetFamily(0x2700), 1);
    EXPECT_EQ(protocol->BlockBase(0), 0u);
}

TEST(IcQT47Checksum, IsTheTwosComplementOfTheSum) {
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_EQ(CIcQT47::Checksum8(bytes, 3), 0xFA);
    EXPECT_EQ(CIcQT47::Checksum8(nullptr, 3), 0);
    EXPECT_EQ(CIcQT47::Checksum8(bytes, 0), 0);
}

TEST_F(IcQT47Scripted, BlockTransfersCarryTheExactReports) {
    ASSERT_EQ(protocol->FindDataInterfaces(1, 2), 1);
    ASSERT_EQ(protocol->DataPathCount(), 1);
    Bytes block(154, 0);
    block[0] = 0xB0;
    block[1] = 0x05;
    block[2] = 2;
    for (size_t i = 4; i < 153; ++i) {
        block[i] = static_cast<uint8_t>(i);
    }
    block[153] = 0xEE;  // carries nothing
    AnswerData(block);
    ASSERT_EQ(protocol->ReadProfileBlock(2), 1);
    EXPECT_EQ(protocol->Cell(768).value, 4);
    EXPECT_EQ(protocol->Cell(768 + 148).value, 152);
    EXPECT_EQ(protocol->Cell(768 + 149).valid, 0);
    EXPECT_EQ(protocol->Cell(768).valid, 1);

    protocol->SetCell(768 + 10, 0x55);
    ASSERT_EQ(protocol->WriteProfileBlock(2), 1);
    const auto transfers = transport->Transfers();
    const auto& written = transfers.back();
    EXPECT_EQ(written.path, "data");
    ASSERT_EQ(written.bytes.size(), 154u);
    EXPECT_EQ(written.bytes[0], 5);
    EXPECT_EQ(written.bytes[2], 2);
    EXPECT_EQ(written.bytes[14], 0x55);
    const unsigned sum = std::accumulate(written.bytes.begin() + 3, written.bytes.begin() + 153, 0u);
    EXPECT_EQ(sum % 256, 0u);
    EXPECT_EQ(protocol->Cell(768 + 10).changed, 0);
    EXPECT_EQ(Sent()[Sent().size() - 2], Report({0, 0xC4, 0x0C, 2}));

    // Nothing changed: nothing sent.
    const size_t before = transport->Transfers().size();
    EXPECT_EQ(protocol->WriteProfileBlock(2), 1);
    EXPECT_EQ(transport->Transfers().size(), before);
}

TEST_F(IcQT47Scripted, ARefusedDataReportIsNotReportedAsSent) {
    ASSERT_EQ(protocol->FindDataInterfaces(1, 2), 1);
    protocol->SetCell(300, 1);
    transport->setStatus = HidStatus::IoFailed;
    const uint8_t report[4] = {5, 0, 0, 0};
    EXPECT_EQ(protocol->SendDataReport(report, 4), 0);
    EXPECT_EQ(protocol->WriteProfileBlock(0), 0);
    EXPECT_EQ(protocol->Cell(300).changed, 1);
}

TEST_F(IcQT47Scripted, BlockReadRejectsWrongShortAndMissingAnswers) {
    ASSERT_EQ(protocol->FindDataInterfaces(1, 2), 1);
    Bytes wrongBlock(154, 0);
    wrongBlock[0] = 0xB0;
    wrongBlock[1] = 0x05;
    wrongBlock[2] = 3;
    AnswerData(wrongBlock);
    EXPECT_EQ(protocol->ReadProfileBlock(2), 0);
    Bytes cut(100, 0);
    cut[0] = 0xB0;
    cut[1] = 0x05;
    cut[2] = 2;
    for (int i = 0; i < 10; ++i) {
        AnswerData(cut);
    }
    clock.ClearSleeps();
    EXPECT_EQ(protocol->ReadProfileBlock(2), 0);
    EXPECT_EQ(clock.TotalSleptMs(), 10u + 10u * 176);  // settle, then ten data retries
    EXPECT_EQ(protocol->Cell(768).valid, 0);
    EXPECT_EQ(protocol->ReadProfileBlock(5), 0);
}

TEST_F(IcQT47Scripted, AHungTransferTimesOutOnTheClockAndItsWorkerOutlivesTheProtocol) {
    ASSERT_EQ(protocol->FindDataInterfaces(1, 2), 1);
    transport->answers.push_back({HidStatus::Ok, {}, true});
    uint8_t buffer[154] = {};
    EXPECT_EQ(protocol->GetDataReport(5, buffer, sizeof buffer), 0);
    EXPECT_EQ(clock.Sleeps(), (Sleeps{CIcQT47::kDataTransferWaitMs}));
    // The abandoned worker comes back after its caller is gone; it must touch nothing of it.
    protocol.reset();
    transport->Release();
    transport->WaitHangsEnded(1);
}

TEST_F(IcQT47Scripted, GarbageAnswersNeverMakeACellValid) {
    ASSERT_EQ(protocol->FindDataInterfaces(1, 2), 1);
    std::minstd_rand random(47);
    for (int i = 0; i < 2000; ++i) {
        Bytes answer(static_cast<size_t>(random() % 200));
        for (uint8_t& byte : answer) {
            byte = static_cast<uint8_t>(random());
        }
        transport->answers.push_back({HidStatus::Ok, answer, false});
    }
    int value = 0;
    unsigned version = 0;
    EXPECT_EQ(protocol->VerifySignature(), 0);
    protocol->Identify(&value, &version);
    for (unsigned p = 0; p < 5; ++p) {
        EXPECT_EQ(protocol->ReadProfileBlock(p), 0);
    }
    EXPECT_EQ(protocol->WriteByte(25, 1), 0);
    for (int a = 0; a < static_cast<int>(CIcQT47::kImageCells); ++a) {
        ASSERT_EQ(protocol->Cell(a).valid, 0) << a;
    }
}

TEST_F(IcQT47Scripted, DataTransfersNeedADataPath) {
    const uint8_t report[4] = {5, 0, 0, 0};
    uint8_t buffer[4] = {};
    EXPECT_EQ(protocol->SendDataReport(report, 4), 0);
    EXPECT_EQ(protocol->GetDataReport(5, buffer, 4), 0);
    EXPECT_EQ(protocol->GetDataReport(5, buffer, 1), 0);
    EXPECT_EQ(protocol->FindDataInterfaces(1, 3), 0);
    EXPECT_TRUE(transport->Transfers().empty());
}

TEST_F(IcQT47Scripted, ScriptsTravelInTheFamilysReport) {
    ASSERT_EQ(protocol->FindDataInterfaces(1, 2), 1);
    Bytes image(2048);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7);
    }
    ASSERT_EQ(protocol->WriteScript(20, image.data(), image.size()), 1);
    EXPECT_EQ(Sent()[0], Report({0, 0xC4, 0x0B, 20, 1}));
    EXPECT_EQ(clock.Sleeps(), (Sleeps{200}));
    Bytes report = transport->Transfers().back().bytes;
    ASSERT_EQ(report.size(), 2053u);
    EXPECT_EQ((Bytes{report[0], report[1], report[2]}), (Bytes{4, 8, 20}));
    EXPECT_EQ(std::accumulate(report.begin() + 3, report.begin() + 2052, 0u) % 256, 0u);
    EXPECT_EQ(protocol->WriteScript(256, image.data(), image.size()), 0);
    EXPECT_EQ(protocol->WriteScript(1, image.data(), 100), 0);

    ASSERT_EQ(protocol->SetFamily(0x3101), 1);
    ASSERT_EQ(protocol->WriteScript(1, image.data(), 240), 1);
    report = transport->Transfers().back().bytes;
    EXPECT_EQ(report.size(), 245u);
    EXPECT_EQ(report[1], 0);
    ASSERT_EQ(protocol->SetFamily(0x3201), 1);
    ASSERT_EQ(protocol->WriteScript(1, image.data(), 240), 1);
    report = transport->Transfers().back().bytes;
    EXPECT_EQ(report.size(), 2053u);
    EXPECT_EQ(std::accumulate(report.begin() + 244, report.end(), 0u), 0u);
}

}  // namespace
}  // namespace vorlix
