#include "host/wire/wire_codec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using hostfw::CallReply;
using hostfw::CallRequest;
using hostfw::DataPacket;
using hostfw::OleVariant;
using hostfw::TDateTime;
using hostfw::Variant;
using hostfw::WireFormatError;
using ::testing::HasSubstr;

std::string WireErrorOf(const std::function<void()>& decode) {
    try {
        decode();
    } catch (const WireFormatError& error) {
        return error.what();
    }
    return "(nenhum erro)";
}

// --- Requests -------------------------------------------------------------------------------

TEST(WireRequest, EveryValueTypeAndPassingRoundTrips) {
    const CallRequest request{{
        {Variant(), false},
        {Variant::Null(), true},
        {Variant("Café \"com\" leite\\\n\tfim"), false},
        {Variant(""), true},
        {Variant(std::numeric_limits<std::int64_t>::min()), false},
        {Variant(std::numeric_limits<std::int64_t>::max()), true},
        {Variant(-0.1), false},
        {Variant(1e300), false},
        {Variant(true), false},
        {Variant(false), true},
        {Variant(TDateTime{45658.0}), false},
        {Variant(TDateTime{45658.75}), true},
        {Variant(TDateTime{-700.25}), false},
    }};
    EXPECT_EQ(hostfw::DecodeCallRequest(hostfw::EncodeCallRequest(request)), request);
}

TEST(WireRequest, KeepsDateAndFloatApart) {
    // Both are numbers in JSON; only the type name tells a date from a float.
    const CallRequest request{{{Variant(TDateTime{2.5}), false}, {Variant(2.5), false}}};
    const CallRequest decoded = hostfw::DecodeCallRequest(hostfw::EncodeCallRequest(request));
    ASSERT_EQ(decoded.args.size(), 2u);
    EXPECT_EQ(decoded.args[0].value.kind(), Variant::Kind::Date);
    EXPECT_EQ(decoded.args[1].value.kind(), Variant::Kind::Float);
}

TEST(WireRequest, ByRefDefaultsToByValue) {
    const CallRequest decoded =
        hostfw::DecodeCallRequest(R"({"version":1,"args":[{"type":"integer","value":7}]})");
    ASSERT_EQ(decoded.args.size(), 1u);
    EXPECT_FALSE(decoded.args[0].byRef);
    EXPECT_EQ(decoded.args[0].value, Variant(7));
}

TEST(WireRequest, MalformedBodiesAreRefusedWithTheirReason) {
    const auto request = [](const char* body) {
        return WireErrorOf([body] { hostfw::DecodeCallRequest(body); });
    };
    EXPECT_THAT(request(R"({"version":1,"args":[)"), HasSubstr("JSON malformado (byte 22)"));
    EXPECT_THAT(request(R"({"args":[]})"), HasSubstr("\"version\""));
    EXPECT_THAT(request(R"({"version":2,"args":[]})"), HasSubstr("versão 2"));
    EXPECT_THAT(request(R"({"version":"1","args":[]})"), HasSubstr("\"version\""));
    EXPECT_THAT(request(R"([1,2])"), HasSubstr("objeto"));
    EXPECT_THAT(request(R"({"version":1})"), HasSubstr("\"args\""));
    EXPECT_THAT(request(R"({"version":1,"args":{}})"), HasSubstr("\"args\""));
    EXPECT_THAT(request(R"({"version":1,"args":[{"value":1}]})"), HasSubstr("argumento 1"));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"currency","value":1}]})"),
                HasSubstr("\"currency\""));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"null"},{"type":"string","value":5}]})"),
                HasSubstr("argumento 2"));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"string"}]})"), HasSubstr("\"value\""));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"date","value":"2025-01-01"}]})"),
                HasSubstr("número"));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"integer","value":1.5}]})"),
                HasSubstr("inteiro"));
    EXPECT_THAT(
        request(R"({"version":1,"args":[{"type":"integer","value":18446744073709551615}]})"),
        HasSubstr("64 bits"));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"float","value":1e999}]})"),
                HasSubstr("número fora do intervalo"));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"boolean","value":"true"}]})"),
                HasSubstr("lógico"));
    EXPECT_THAT(request(R"({"version":1,"args":[{"type":"null","byRef":1}]})"),
                HasSubstr("\"byRef\""));
}

TEST(WireRequest, RefusesMoreArgumentsThanAnyMethodTakes) {
    std::string body = R"({"version":1,"args":[)";
    for (int i = 0; i < 65; ++i)
        body += std::string(i == 0 ? "" : ",") + R"({"type":"null"})";
    body += "]}";
    EXPECT_THAT(WireErrorOf([&body] { hostfw::DecodeCallRequest(body); }), HasSubstr("65"));
}

// What a request costs to parse is bounded by its size: nesting no message has, or more values
// than any request holds, are refused as the parser meets them, before it builds them.
TEST(WireRequest, NestingOrValuesNoRequestHasAreRefusedAsTheyAreMet) {
    const std::string nested(1 << 20, '[');
    EXPECT_THAT(WireErrorOf([&] { hostfw::DecodeCallRequest(nested); }),
                HasSubstr("JSON aninhado demais (mais de 16 níveis)"));
    std::string swollen = R"({"version":1,"args":[],"x":[0)";
    for (int i = 0; i < 100000; ++i)
        swollen += ",0";
    swollen += "]}";
    EXPECT_THAT(WireErrorOf([&] { hostfw::DecodeCallRequest(swollen); }),
                HasSubstr("JSON com valores demais (mais de 4096)"));
    // A reply's packet may hold far more, and is read whole.
    DataPacket packet;
    packet.fields = {{"A", "string", 10, false}};
    for (int i = 0; i < 10000; ++i)
        packet.rows.push_back({Variant(std::to_string(i))});
    const CallReply read =
        hostfw::DecodeCallReply(hostfw::EncodeCallReply({OleVariant(packet), {}}));
    EXPECT_EQ(read.result.AsDataPacket().rows.size(), 10000u);
}

TEST(WireRequest, RefusesToSendWhatJsonCannotCarry) {
    EXPECT_THROW(hostfw::EncodeCallRequest({{{Variant(std::string("\xff\xfe")), false}}}),
                 hostfw::Exception);
    EXPECT_THROW(hostfw::EncodeCallRequest({{{Variant(std::nan("")), false}}}), hostfw::Exception);
    EXPECT_THROW(hostfw::EncodeCallRequest(
                     {{{Variant(TDateTime{std::numeric_limits<double>::infinity()}), false}}}),
                 hostfw::Exception);
}

// --- Replies --------------------------------------------------------------------------------

DataPacket EveryFieldTypePacket() {
    DataPacket packet;
    packet.fields = {{"IDMARCADO", "string", 1, true},
                     {"QTD", "integer", 0, false},
                     {"VALOR", "float", 0, false},
                     {"DATA", "date", 0, false}};
    packet.rows = {
        {Variant("N"), Variant(3), Variant(2.5), Variant(TDateTime{45658.5})},
        {Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()},
        {Variant("ç"), Variant(-1), Variant(0.0), Variant(TDateTime{0.0})},
    };
    return packet;
}

TEST(WireReply, DataPacketWithByRefValuesRoundTrips) {
    const CallReply reply{OleVariant(EveryFieldTypePacket()),
                          {Variant("C"), Variant(""), Variant(TDateTime{1.0})}};
    EXPECT_EQ(hostfw::DecodeCallReply(hostfw::EncodeCallReply(reply)), reply);
}

// Packets are written without the JSON library: every character JSON escapes, every
// well-formed UTF-8 sequence and every finite number must read back as sent, and malformed
// UTF-8 must be refused rather than sent.
TEST(WireReply, PacketCellsWrittenStraightReadBackExactly) {
    DataPacket packet;
    packet.fields = {{"T\"\\", "string", 0, false}, {"N", "float", 0, false}};
    const std::vector<std::pair<std::string, double>> cells = {
        {"aspas \" e barra \\", 3.0},
        {std::string("\b\f\n\r\t\x01\x1f\x7f\0fim", 13), 0.1},
        {"ç ã € \xF0\x9D\x84\x9E \xF4\x8F\xBF\xBF", 1e300},
        {"", -2.5e-300},
    };
    for (const auto& [text, number] : cells)
        packet.rows.push_back({Variant(text), Variant(number)});
    const CallReply reply{OleVariant(packet), {Variant("A")}};
    EXPECT_EQ(hostfw::DecodeCallReply(hostfw::EncodeCallReply(reply)), reply);

    for (const char* malformed :
         {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80", "\xF8\x88\x80\x80"}) {
        DataPacket bad;
        bad.fields = {{"T", "string", 0, false}};
        bad.rows = {{Variant(std::string("ok ") + malformed)}};
        EXPECT_THROW(hostfw::EncodeCallReply({OleVariant(bad), {}}), hostfw::Exception)
            << malformed;
    }
}

TEST(WireReply, EmptyPacketKeepsItsFields) {
    DataPacket packet = EveryFieldTypePacket();
    packet.rows.clear();
    const CallReply decoded =
        hostfw::DecodeCallReply(hostfw::EncodeCallReply({OleVariant(packet), {}}));
    ASSERT_TRUE(decoded.result.IsDataPacket());
    EXPECT_EQ(decoded.result.AsDataPacket(), packet);
}

TEST(WireReply, ScalarResultsRoundTrip) {
    for (const Variant& value : {Variant(), Variant::Null(), Variant("x"), Variant(42),
                                 Variant(true), Variant(TDateTime{45000.25})}) {
        const CallReply reply{OleVariant(value), {}};
        EXPECT_EQ(hostfw::DecodeCallReply(hostfw::EncodeCallReply(reply)), reply)
            << hostfw::KindName(value.kind());
    }
}

TEST(WireReply, ErrorReplyCarriesTheTextAndNoByRefValues) {
    const CallReply reply{OleVariant::Error("Filial 0009 sem notas."), {Variant("C")}};
    const CallReply decoded = hostfw::DecodeCallReply(hostfw::EncodeCallReply(reply));
    ASSERT_TRUE(decoded.result.IsError());
    EXPECT_EQ(decoded.result.ErrorMessage(), "Filial 0009 sem notas.");
    EXPECT_TRUE(decoded.byRef.empty());
}

TEST(WireReply, ErrorReplyGoesOutEvenWithBadBytesInTheText) {
    const std::string body = hostfw::EncodeErrorReply("tabela \xff desconhecida");
    const CallReply decoded = hostfw::DecodeCallReply(body);
    ASSERT_TRUE(decoded.result.IsError());
    EXPECT_THAT(decoded.result.ErrorMessage(), HasSubstr("desconhecida"));
}

TEST(WireReply, MalformedPacketsAreRefused) {
    const auto reply = [](const std::string& result) {
        return WireErrorOf(
            [&result] { hostfw::DecodeCallReply(R"({"version":1,"result":)" + result + "}"); });
    };
    const std::string field = R"({"name":"A","type":"string","size":1})";
    EXPECT_THAT(reply(R"({"type":"datapacket","rows":[]})"), HasSubstr("\"fields\""));
    EXPECT_THAT(reply(R"({"type":"datapacket","fields":[)" + field + "]}"), HasSubstr("\"rows\""));
    EXPECT_THAT(
        reply(R"({"type":"datapacket","fields":[)" + field + "," + field + R"(],"rows":[]})"),
        HasSubstr("repetido"));
    EXPECT_THAT(reply(R"({"type":"datapacket","fields":[{"name":"A","type":"blob"}],"rows":[]})"),
                HasSubstr("\"blob\""));
    EXPECT_THAT(reply(R"({"type":"datapacket","fields":[{"name":"","type":"string"}],"rows":[]})"),
                HasSubstr("vazio"));
    EXPECT_THAT(
        reply(
            R"({"type":"datapacket","fields":[{"name":"A","type":"string","size":-1}],"rows":[]})"),
        HasSubstr("tamanho"));
    EXPECT_THAT(reply(R"({"type":"datapacket","fields":[)" + field + R"(],"rows":[["a","b"]]})"),
                HasSubstr("linha 1"));
    EXPECT_THAT(reply(R"({"type":"datapacket","fields":[)" + field + R"(],"rows":[["a"],[7]]})"),
                HasSubstr("linha 2"));
    // Each row is read at its own width, whatever the one before held.
    EXPECT_THAT(
        reply(R"({"type":"datapacket","fields":[)" + field + R"(],"rows":[["a"],["b","c"]]})"),
        HasSubstr("linha 2: 2 valores"));
    EXPECT_THAT(reply(R"({"type":"datapacket","fields":[)" + field + "," +
                      R"({"name":"B","type":"string"}],"rows":[["a","b"],["c"]]})"),
                HasSubstr("linha 2: 1 valores"));
    EXPECT_THAT(WireErrorOf([] { hostfw::DecodeCallReply(R"({"version":1})"); }),
                HasSubstr("\"result\""));
    EXPECT_THAT(WireErrorOf([] { hostfw::DecodeCallReply(R"({"version":1,"error":{}})"); }),
                HasSubstr("\"message\""));
}

// A packet's rows are read beside the message in one pass; whatever the members' order, each
// cell kind comes out as its field wants it, and rows that hold anything but plain values are
// refused with the same place as ever.
TEST(WireReply, PacketRowsReadInOnePassKeepTheirTypesAndTheirFaults) {
    const auto decode = [](const std::string& result) {
        return hostfw::DecodeCallReply(R"({"byRef":[{"type":"string","value":"A"}],"result":)" +
                                       result + R"(,"version":1})");
    };
    const CallReply read = decode(
        R"({"rows":[["x",7,2.5,45000.5,null],[null,-1,3,1,"y"]],"type":"datapacket",)"
        R"("fields":[{"name":"T","type":"string"},{"name":"I","type":"integer"},)"
        R"({"name":"F","type":"float"},{"name":"D","type":"date"},{"name":"U","type":"string"}]})");
    ASSERT_TRUE(read.result.IsDataPacket());
    const DataPacket& packet = read.result.AsDataPacket();
    ASSERT_EQ(packet.rows.size(), 2u);
    EXPECT_EQ(packet.rows[0], (std::vector<Variant>{Variant("x"), Variant(7), Variant(2.5),
                                                    Variant(TDateTime{45000.5}), Variant::Null()}));
    EXPECT_EQ(packet.rows[1], (std::vector<Variant>{Variant::Null(), Variant(-1), Variant(3.0),
                                                    Variant(TDateTime{1.0}), Variant("y")}));
    EXPECT_EQ(read.byRef, std::vector<Variant>{Variant("A")});

    const std::string fields = R"("fields":[{"name":"A","type":"string"}])";
    const auto fault = [&](const std::string& rows) {
        return WireErrorOf(
            [&] { decode(R"({"type":"datapacket",)" + fields + R"(,"rows":)" + rows + "}"); });
    };
    EXPECT_EQ(fault(R"([["a"],7])"), "linha 2: esperado uma lista, recebido number.");
    EXPECT_EQ(fault(R"([[["a"]]])"), "linha 1, campo A: esperado um texto, recebido array.");
    EXPECT_EQ(fault(R"([[{"a":1}]])"), "linha 1, campo A: esperado um texto, recebido object.");
    EXPECT_EQ(fault(R"([["a"],[true]])"), "linha 2, campo A: esperado um texto, recebido boolean.");
    EXPECT_EQ(WireErrorOf([&] {
                  hostfw::DecodeCallReply(R"({"version":2,"result":{"type":"datapacket",)" +
                                          fields + R"(,"rows":[["a"]]}})");
              }),
              "versão 2 do protocolo não suportada (esta é a versão 1).");
    // A result that is no packet keeps its own reading, whatever members it carries.
    EXPECT_EQ(decode(R"({"type":"string","value":"ok","rows":[["a"]]})").result.AsVariant(),
              Variant("ok"));
}

TEST(WireReply, RefusesToSendACellOfAnotherTypeThanItsField) {
    DataPacket packet;
    packet.fields = {{"QTD", "integer", 0, false}};
    packet.rows = {{Variant("três")}};
    EXPECT_THROW(hostfw::EncodeCallReply({OleVariant(packet), {}}), hostfw::Exception);
    packet.rows = {{Variant(1), Variant(2)}};
    EXPECT_THROW(hostfw::EncodeCallReply({OleVariant(packet), {}}), hostfw::Exception);
}

TEST(WireObjectInfo, RoundTripsAndRefusesAnotherVersion) {
    const hostfw::ObjectInfo info{"exp03600.rdmRelConsLanc", {"GetNota"}};
    EXPECT_EQ(hostfw::DecodeObjectInfo(hostfw::EncodeObjectInfo(info)), info);
    EXPECT_THAT(
        WireErrorOf([] { hostfw::DecodeObjectInfo(R"({"version":3,"object":"x","methods":[]})"); }),
        HasSubstr("versão 3"));
}

}  // namespace
