// Requests the server must refuse with a clear error reply and the right status, after which it
// goes on serving.

#include <httplib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/wire/wire_codec.h"
#include "invoice_database.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using ::testing::HasSubstr;

constexpr const char* kObjectPath = "/exp03600.rdmRelConsLanc";
constexpr const char* kGetNotaPath = "/exp03600.rdmRelConsLanc/GetNota";
constexpr std::size_t kMaxBody = 4096;

std::string GetNotaBody(const std::string& branch, const std::string& firstDate) {
    return R"({"version":1,"args":[{"type":"string","value":")" + branch + R"("},)" + firstDate +
           R"(,{"type":"date","value":45716},)"
           R"({"type":"string","value":"","byRef":true},{"type":"string","value":"T","byRef":true},)"
           R"({"type":"string","value":"","byRef":true},{"type":"string","value":"T","byRef":true},)"
           R"({"type":"string","value":"","byRef":true},{"type":"string","value":"A","byRef":true}]})";
}

const std::string kGoodDate = R"({"type":"date","value":45658})";

struct Answer {
    int status = 0;
    std::string error;  // the error reply's text; empty for a reply that is not an error
};

class HttpErrorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        database_ = std::make_unique<SqliteInvoiceDatabase>();
        server_ = std::make_unique<ServerProcess>(std::vector<std::string>{
            "--db", database_->Path(), "--max-body", std::to_string(kMaxBody)});
    }
    static void TearDownTestSuite() {
        server_.reset();
        database_.reset();
    }

    // Every refusal must leave the server able to answer the next call.
    void TearDown() override {
        const Answer next = Post(kGetNotaPath, GetNotaBody("0001", kGoodDate));
        EXPECT_EQ(next.status, 200) << next.error;
    }

    static Answer AnswerOf(const httplib::Result& result) {
        if (!result)
            return {-1, "sem resposta: " + httplib::to_string(result.error())};
        Answer out{result->status, ""};
        const hostfw::CallReply reply = hostfw::DecodeCallReply(result->body);
        if (reply.result.IsError())
            out.error = reply.result.ErrorMessage();
        return out;
    }

    static Answer Post(const std::string& path, const std::string& body,
                       const std::string& contentType = "application/json") {
        httplib::Client client(server_->Host(), server_->Port());
        return AnswerOf(client.Post(path, body, contentType));
    }

    static std::unique_ptr<SqliteInvoiceDatabase> database_;
    static std::unique_ptr<ServerProcess> server_;
};

std::unique_ptr<SqliteInvoiceDatabase> HttpErrorsTest::database_;
std::unique_ptr<ServerProcess> HttpErrorsTest::server_;

TEST_F(HttpErrorsTest, AWellFormedCallSucceeds) {
    const Answer ok = Post(kGetNotaPath, GetNotaBody("0001", kGoodDate));
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.error, "");
}

TEST_F(HttpErrorsTest, UnknownObjectOrMethodIs404) {
    const Answer object = Post("/exp03600.rdmOutro/GetNota", GetNotaBody("0001", kGoodDate));
    EXPECT_EQ(object.status, 404);
    EXPECT_THAT(object.error, HasSubstr("exp03600.rdmOutro não é oferecido"));
    const Answer method = Post("/exp03600.rdmRelConsLanc/GetNotas", GetNotaBody("0001", kGoodDate));
    EXPECT_EQ(method.status, 404);
    EXPECT_THAT(method.error, HasSubstr("não tem o método GetNotas"));
}

// Names are looked up as C strings: one cut short by an encoded NUL must not pass for the name
// before it, nor any character a name cannot hold.
TEST_F(HttpErrorsTest, ANameWithAnEncodedNulOrAStrayCharacterIsRefused) {
    for (const char* path :
         {"/exp03600.rdmRelConsLanc/GetNota%00junk", "/exp03600.rdmRelConsLanc%00x/GetNota",
          "/exp03600.rdmRelConsLanc/Get%0ANota"}) {
        const Answer refused = Post(path, GetNotaBody("0001", kGoodDate));
        EXPECT_EQ(refused.status, 400) << path;
        EXPECT_THAT(refused.error, HasSubstr("Nome de objeto ou de método inválido")) << path;
    }
}

TEST_F(HttpErrorsTest, TestObjectIsNotOfferedWithoutItsOption) {
    httplib::Client client(server_->Host(), server_->Port());
    EXPECT_EQ(AnswerOf(client.Get("/exp036.Teste")).status, 404);
    EXPECT_EQ(Post("/exp036.Teste/Echo", R"({"version":1,"args":[{"type":"null"}]})").status, 404);
}

TEST_F(HttpErrorsTest, MalformedJsonIs400) {
    const Answer broken = Post(kGetNotaPath, R"({"version":1,"args":[)");
    EXPECT_EQ(broken.status, 400);
    EXPECT_THAT(broken.error, HasSubstr("JSON malformado"));
}

TEST_F(HttpErrorsTest, DeeplyNestedJsonIsRefusedWithoutHarm) {
    const std::string nested(kMaxBody - 10, '[');
    EXPECT_EQ(Post(kGetNotaPath, nested).status, 400);
}

TEST_F(HttpErrorsTest, AnotherProtocolVersionIs400NamingIt) {
    const Answer other = Post(kGetNotaPath, R"({"version":2,"args":[]})");
    EXPECT_EQ(other.status, 400);
    EXPECT_THAT(other.error, HasSubstr("versão 2"));
}

TEST_F(HttpErrorsTest, WrongArgumentCountOrTypeIs400NamingTheArgument) {
    const Answer count =
        Post(kGetNotaPath, R"({"version":1,"args":[{"type":"string","value":"0001"}]})");
    EXPECT_EQ(count.status, 400);
    EXPECT_THAT(count.error, HasSubstr("GetNota espera 9 argumentos; recebeu 1"));

    const Answer type =
        Post(kGetNotaPath, GetNotaBody("0001", R"({"type":"string","value":"01/01/2025"})"));
    EXPECT_EQ(type.status, 400);
    EXPECT_THAT(type.error, HasSubstr("argumento 2 (data inicial) deve ser do tipo date"));
}

TEST_F(HttpErrorsTest, DateFarOutsideTheCalendarIs400) {
    const Answer huge = Post(kGetNotaPath, GetNotaBody("0001", R"({"type":"date","value":1e300})"));
    EXPECT_EQ(huge.status, 400);
    EXPECT_THAT(huge.error, HasSubstr("argumento 2 (data inicial) fora do intervalo"));
    const Answer overflow =
        Post(kGetNotaPath, GetNotaBody("0001", R"({"type":"date","value":1e999})"));
    EXPECT_EQ(overflow.status, 400);
}

TEST_F(HttpErrorsTest, BodyOverTheLimitIs413NamingTheLimit) {
    const Answer big = Post(kGetNotaPath, GetNotaBody(std::string(kMaxBody, '0'), kGoodDate));
    EXPECT_EQ(big.status, 413);
    EXPECT_THAT(big.error, HasSubstr(std::to_string(kMaxBody) + " bytes"));
}

TEST_F(HttpErrorsTest, BodyThatIsNotJsonIs415) {
    const Answer form = Post(kGetNotaPath, "a=1", "application/x-www-form-urlencoded");
    EXPECT_EQ(form.status, 415);
    EXPECT_THAT(form.error, HasSubstr("application/json"));
}

TEST_F(HttpErrorsTest, ReplyThatCannotBeJsonIs406) {
    httplib::Client client(server_->Host(), server_->Port());
    const httplib::Headers headers{{"Accept", "application/x-outro"}};
    EXPECT_EQ(AnswerOf(client.Post(kGetNotaPath, headers, GetNotaBody("0001", kGoodDate),
                                   "application/json"))
                  .status,
              406);
}

TEST_F(HttpErrorsTest, UnknownPathsGetAJsonErrorReply) {
    httplib::Client client(server_->Host(), server_->Port());
    const Answer deep = AnswerOf(client.Get("/a/b/c"));
    EXPECT_EQ(deep.status, 404);
    EXPECT_FALSE(deep.error.empty());
}

TEST_F(HttpErrorsTest, ObjectDescriptionNamesItsMethods) {
    httplib::Client client(server_->Host(), server_->Port());
    const auto result = client.Get(kObjectPath);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    const hostfw::ObjectInfo info = hostfw::DecodeObjectInfo(result->body);
    EXPECT_EQ(info.name, "exp03600.rdmRelConsLanc");
    EXPECT_THAT(info.methods, ::testing::ElementsAre("GetNota"));
}

TEST_F(HttpErrorsTest, EveryCallIsLoggedOnOneLine) {
    Post(kGetNotaPath, GetNotaBody("0001", kGoodDate));
    Post("/exp03600.rdmRelConsLanc/Nada\n2026-01-01 forjado", "{}");
    const std::string log = server_->Log();
    EXPECT_THAT(log, HasSubstr("POST /exp03600.rdmRelConsLanc/GetNota 200"));
    EXPECT_THAT(log, HasSubstr("rows=6 ok"));
    EXPECT_THAT(log, ::testing::Not(HasSubstr("\n2026-01-01 forjado")));
}

}  // namespace
}  // namespace servertest
