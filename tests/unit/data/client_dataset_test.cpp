#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/data/client_dataset.h"
#include "host/data/field.h"

namespace {

using hostfw::DataPacket;
using hostfw::FieldDef;
using hostfw::TClientDataSet;
using hostfw::TStringField;
using hostfw::Variant;

class ClientDataSet : public ::testing::Test {
protected:
    ClientDataSet() {
        dataSet.SetName("cdsNotaFiscal");
        for (const char* name : {"NRLANCTONF", "STATUS"}) {
            auto* field = new TStringField(&dataSet);
            field->SetFieldName(name);
            field->SetDataSet(&dataSet);
        }
    }

    static DataPacket Packet(const std::vector<std::vector<Variant>>& rows,
                             std::vector<FieldDef> fields = {{"NRLANCTONF", "string", 10, true},
                                                             {"STATUS", "string", 1, true}}) {
        return DataPacket{std::move(fields), rows};
    }

    std::vector<std::string> Entries() {
        std::vector<std::string> out;
        for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
            out.push_back(dataSet.FieldByName("NRLANCTONF").AsString());
        return out;
    }

    TClientDataSet dataSet{nullptr};
};

TEST_F(ClientDataSet, SetDataReplacesTheWholeContent) {
    dataSet.SetData(Packet({{"1", "E"}, {"2", "K"}, {"3", "P"}}));
    dataSet.SetData(Packet({{"9", "A"}}));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"9"}));
    dataSet.First();
    EXPECT_EQ(dataSet.FieldByName("STATUS").AsString(), "A");
}

TEST_F(ClientDataSet, EmptyPacketEmptiesTheDataset) {
    dataSet.SetData(Packet({{"1", "E"}}));
    dataSet.SetData(Packet({}));
    EXPECT_TRUE(dataSet.IsEmpty());
    EXPECT_TRUE(dataSet.Active());
}

TEST_F(ClientDataSet, FixedLengthValuesAreKeptAsReceived) {
    dataSet.SetData(Packet({{"1", "E"}, {"  12 ", ""}}));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"1", "  12 "}));
    dataSet.SetRecNo(1);
    EXPECT_EQ(dataSet.FieldByName("STATUS").AsString(), "");
    EXPECT_FALSE(dataSet.FieldByName("STATUS").IsNull()) << "an empty text is not null";
}

TEST_F(ClientDataSet, FieldNamesIgnoreLetterCase) {
    dataSet.SetData(Packet({{"5", "C"}}, {{"nrlanctonf"}, {"Status"}}));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"5"}));
}

TEST_F(ClientDataSet, MismatchingFieldsAreRefusedAndTheContentKept) {
    dataSet.SetData(Packet({{"1", "E"}}));
    const std::vector<std::vector<FieldDef>> wrong = {
        {{"STATUS"}, {"NRLANCTONF"}},
        {{"NRLANCTONF"}},
        {{"NRLANCTONF"}, {"STATUS"}, {"EXTRA"}},
        {{"NRLANCTONF"}, {"SITUACAO"}},
    };
    for (const auto& fields : wrong) {
        try {
            dataSet.SetData(Packet({}, fields));
            ADD_FAILURE() << "accepted " << fields.size() << " fields";
        } catch (const hostfw::Exception& error) {
            EXPECT_NE(std::string(error.what()).find("cdsNotaFiscal"), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(Entries(), (std::vector<std::string>{"1"}));
    }
}

TEST_F(ClientDataSet, RowsWithTheWrongWidthAreRefusedAndTheContentKept) {
    dataSet.SetData(Packet({{"1", "E"}}));
    EXPECT_THROW(dataSet.SetData(Packet({{"2", "E"}, {"3"}})), hostfw::Exception);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"1"}));
}

TEST_F(ClientDataSet, CloseAndOpenShowTheLastPacketAgain) {
    dataSet.SetData(Packet({{"1", "E"}, {"2", "K"}}));
    dataSet.Close();
    EXPECT_TRUE(dataSet.IsEmpty());
    dataSet.Open();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"1", "2"}));
}

TEST_F(ClientDataSet, MovingOutsideTheRowsIsAClearError) {
    dataSet.SetData(Packet({{"1", "E"}}));
    EXPECT_THROW(dataSet.SetRecNo(1), hostfw::Exception);
    EXPECT_THROW(dataSet.SetRecNo(-1), hostfw::Exception);
    EXPECT_EQ(dataSet.RecNo(), 0);
}

}  // namespace
