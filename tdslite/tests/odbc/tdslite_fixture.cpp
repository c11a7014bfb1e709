#include "tdslite_fixture.h"

namespace tdslite::odbctest {

std::string initialisationBatch() {
    const char* lines[] = {
        "Begin",
        "  create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) not "
        "null)",
        "  create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName nvarchar(50) not "
        "null,"
        "sWkSex nvarchar(50) not null,sWkJobNum nvarchar(50) not null,WkPhoto image)",
        "  create table Scores(sWkNum nvarchar(50) not null,sWkJobNum nvarchar(50) not null,"
        "iWkScore decimal(18, 2) not null,sClIP nvarchar(50) not null,sMemo TEXT,dtDateTime "
        "datetime not null)",
        "  insert into jobs values('001','收银员')",
        "  insert into jobs values('002','网管')",
        "  insert into jobs values('003','技术员')",
        "End",
    };
    std::string batch;
    for (const char* line : lines) {
        batch += line;
        batch += "\r\n";
    }
    return batch;
}

void TdsliteTest::createInitialisedScore() {
    auto serverLevel = connect();
    run(*serverLevel, "create database score");
    auto catalog = connect("score");
    run(*catalog, initialisationBatch());
}

std::string TdsliteTest::describe(const BatchOutcome& outcome) {
    std::string text;
    for (const auto& part : outcome.parts) {
        text += "part status " + std::to_string(part.status) + ", rows " +
                std::to_string(part.rows.size()) + ", count " + std::to_string(part.rowCount) +
                "\n";
        for (const auto& diagnostic : part.diagnostics) {
            text += "  [" + diagnostic.sqlState + "] " + std::to_string(diagnostic.nativeError) +
                    " " + diagnostic.text + "\n";
        }
    }
    return text;
}

std::vector<std::string> column(const ResultPart& part, std::size_t index) {
    std::vector<std::string> values;
    for (const auto& row : part.rows) {
        values.push_back(row.at(index).isNull ? "<NULL>" : row.at(index).text);
    }
    return values;
}

} // namespace tdslite::odbctest
