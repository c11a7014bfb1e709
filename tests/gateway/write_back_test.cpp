// Edit, set the image column, post: the current row's photo stored back by its primary key.
#include "tests/gateway/gateway_fixture.h"

namespace {

QByteArray photoBytes(int size, char seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 13 % 256);
    return bytes;
}

class WriteBack : public GatewayTest {
protected:
    void SetUp() override {
        GatewayTest::SetUp();
        createScoreTables();
        exec(catalogForm(),
             QStringLiteral("insert into wkinfo values(N'001',N'张三',N'1',N'001',null)\r\n"
                            "insert into wkinfo values(N'O''1',N'李四',N'0',N'001',0x01)\r\n"
                            "insert into jobs values(N'001',N'收银员')"));
        gateway.SetConnectionString(catalogForm());
    }
    void open(const QString& sql) {
        gateway.SetSql(sql);
        gateway.OpenQuery();
    }
    void writePhoto(const QByteArray& bytes) {
        gateway.Edit();
        gateway.SetImageField(QStringLiteral("wkphoto"), bytes);
        gateway.Post();
    }
    // Read through a gateway of its own, so nothing comes from this one's memory.
    QByteArray storedPhoto(const QString& numberLiteral) {
        SqlGateway reader(QStringLiteral("reader"));
        reader.SetConnectionString(catalogForm());
        reader.SetSql(QStringLiteral("select WkPhoto from wkinfo where sWkNums=") + numberLiteral);
        reader.OpenQuery();
        return reader.FieldByName(QStringLiteral("WkPhoto")).asBytes();
    }
};

TEST_F(WriteBack, StoresThePhotoOfTheCurrentRowOnly) {
    const QByteArray photo = photoBytes(200 * 1024, 'J');
    open(QStringLiteral("select * from wkinfo where swknums='001'"));
    writePhoto(photo);
    EXPECT_EQ(gateway.FieldByName(QStringLiteral("WkPhoto")).asBytes(), photo);
    EXPECT_TRUE(gateway.IsOpen());
    EXPECT_EQ(storedPhoto(QStringLiteral("N'001'")), photo);
    EXPECT_EQ(storedPhoto(QStringLiteral("N'O''1'")), QByteArray("\x01"));
}

// A key with a quote in it, and a result of more than one row, written at its second row.
TEST_F(WriteBack, FindsTheRowByAnyKeyValue) {
    open(QStringLiteral("select * from WkInfo order by sWkNums"));
    gateway.Next();
    ASSERT_EQ(gateway.FieldByName(QStringLiteral("sWkNums")).asString(), QStringLiteral("O'1"));
    writePhoto(QByteArray("\xff\xd8\xff", 3));
    EXPECT_EQ(storedPhoto(QStringLiteral("N'O''1'")), QByteArray("\xff\xd8\xff", 3));
    EXPECT_TRUE(storedPhoto(QStringLiteral("N'001'")).isEmpty());
}

TEST_F(WriteBack, RefusesWhatCannotBeWritten) {
    struct Refusal {
        const char* sql;
        std::function<void()> steps;
        const char* message;
    };
    const auto write = [this] { writePhoto("x"); };
    const Refusal refusals[] = {
        {"select * from (wkinfo inner join jobs on wkinfo.swkjobnum=jobs.sjobnum)", write,
         "qrySql: Cannot write back a result that does not come from one table"},
        {"select * from wkinfo where swknums='999'", write,
         "qrySql: Cannot perform this operation on an empty dataset"},
        {"select sWkName, WkPhoto from wkinfo", write,
         "qrySql: Key column 'sWkNums' is not in the result"},
        {"select * from wkinfo", [this] { gateway.Post(); },
         "qrySql: Dataset not in edit or insert mode"},
        {"select * from wkinfo", [this] { gateway.SetImageField(QStringLiteral("WkPhoto"), "x"); },
         "qrySql: Dataset not in edit or insert mode"},
        {"select * from wkinfo",
         [this] {
             gateway.Edit();
             gateway.SetImageField(QStringLiteral("Photo"), "x");
         },
         "qrySql: Field 'Photo' not found"},
    };
    for (const Refusal& refusal : refusals) {
        open(QString::fromUtf8(refusal.sql));
        EXPECT_EQ(failureOf(refusal.steps), QString::fromUtf8(refusal.message)) << refusal.sql;
        EXPECT_TRUE(gateway.IsOpen()) << refusal.sql;
    }
    EXPECT_TRUE(storedPhoto(QStringLiteral("N'001'")).isEmpty());

    gateway.Close();
    EXPECT_EQ(failureOf([this] { gateway.Edit(); }),
              QStringLiteral("qrySql: Cannot perform this operation on a closed dataset"));
}

TEST_F(WriteBack, TableWithoutPrimaryKeyIsRefused) {
    exec(catalogForm(), QStringLiteral("create table loose(name nvarchar(10), photo image)\r\n"
                                       "insert into loose values(N'a', null)"));
    open(QStringLiteral("select * from loose"));
    gateway.Edit();
    gateway.SetImageField(QStringLiteral("photo"), "x");
    EXPECT_EQ(failureOf([this] { gateway.Post(); }),
              QStringLiteral("qrySql: Table 'loose' has no primary key to write back by"));
}

// Gone since it was read: the post fails instead of pretending, and the row can be posted
// again once the failure is dealt with.
TEST_F(WriteBack, RowDeletedMeanwhileIsReported) {
    open(QStringLiteral("select * from wkinfo where swknums='001'"));
    gateway.Edit();
    gateway.SetImageField(QStringLiteral("WkPhoto"), "x");
    exec(catalogForm(), QStringLiteral("delete from wkinfo where sWkNums=N'001'"));
    EXPECT_EQ(failureOf([this] { gateway.Post(); }),
              QStringLiteral("qrySql: The row to write back is no longer in table 'wkinfo'"));
    EXPECT_TRUE(gateway.IsOpen());
}

} // namespace
