#include "host/services/check_result_serv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/core/exception.h"
#include "support/failure_of.h"

namespace {

using hostfw::CheckResultServ;
using hostfw::DataPacket;
using hostfw::OleVariant;
using hostfw::Variant;
using ::testing::HasSubstr;

std::string FailureOf(const OleVariant& reply) {
    return testsupport::FailureOf([&] { CheckResultServ(reply, true, 0); });
}

DataPacket NotaPacket() {
    DataPacket packet;
    packet.fields = {{"NRLANCTONF", "string", 10, false}, {"STATUS", "string", 17, true}};
    packet.rows = {{Variant("1"), Variant("E")}};
    return packet;
}

TEST(CheckResultServ, ReturnsThePacketOfASuccessfulReply) {
    EXPECT_EQ(CheckResultServ(OleVariant(NotaPacket()), true, 0), NotaPacket());
}

TEST(CheckResultServ, AnEmptyPacketIsAValidReply) {
    DataPacket empty = NotaPacket();
    empty.rows.clear();
    EXPECT_EQ(CheckResultServ(OleVariant(empty), true, 0), empty);
}

TEST(CheckResultServ, ErrorReplyRaisesTheServersOwnText) {
    EXPECT_EQ(FailureOf(OleVariant::Error("Banco de dados indisponível.")),
              "Banco de dados indisponível.");
}

TEST(CheckResultServ, ErrorReplyWithoutTextStillExplainsItself) {
    EXPECT_THAT(FailureOf(OleVariant::Error("")), HasSubstr("sem informar o motivo"));
}

TEST(CheckResultServ, ScalarAndEmptyRepliesNeverPassForData) {
    EXPECT_THAT(FailureOf(OleVariant(Variant("ok"))), HasSubstr("não é um pacote de dados"));
    EXPECT_THAT(FailureOf(OleVariant(Variant(0))), HasSubstr("integer"));
    EXPECT_THAT(FailureOf(OleVariant()), HasSubstr("não é um pacote de dados"));
    EXPECT_THAT(FailureOf(OleVariant(Variant::Null())), HasSubstr("null"));
}

TEST(OleVariant, APacketIsNotReadAsAScalar) {
    try {
        OleVariant(NotaPacket()).AsVariant();
        FAIL() << "a packet was read as a scalar";
    } catch (const hostfw::Exception& error) {
        EXPECT_THAT(error.what(), HasSubstr("recebido: um pacote de dados"));
    }
}

}  // namespace
