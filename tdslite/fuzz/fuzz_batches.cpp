// Batch texts run by the real engine on a scratch data directory and encoded into the
// reply stream: whatever a client types must come back as rows or errors, never a crash.
#include "code_page.h"
#include "engine.h"
#include "packet_writer.h"
#include "response_encoder.h"
#include "result_set.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

using namespace tdslite;
using namespace tdslite::protocol;

namespace {

struct Scratch {
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Session> session;
};

// One engine for the whole run; the database it starts in has the program's tables.
Scratch& scratch() {
    static Scratch made = [] {
        auto dir =
            std::filesystem::temp_directory_path() / ("tdslite-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        Scratch s;
        s.engine = makeEngine(EngineConfig{dir.string(), {}, "Chinese_PRC_CI_AS"});
        s.engine->login(LoginRequest{u"sa", u"", u""}, &s.session);
        s.session->execute(u"create database score\r\n");
        s.session->execute(u"use score\r\n");
        s.session->execute(
            u"create table Jobs(sJobNum nvarchar(50) primary key not null,sJobName nvarchar(50) "
            u"not null)\r\n"
            u"create table WkInfo(sWkNums nvarchar(50) primary key not null,sWkName nvarchar(50) "
            u"not null,"
            u"sWkSex nvarchar(50) not null,sWkJobNum nvarchar(50) not null,WkPhoto image)\r\n"
            u"insert into jobs values('001','收银员')\r\n");
        return s;
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Scratch& s = scratch();
    // Bytes as Latin-1 reach every ASCII keyword; pairs above 0x7F bring in other characters.
    std::u16string batch;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 0x80 || i + 1 == size) {
            batch.push_back(data[i]);
        } else {
            batch.push_back(static_cast<char16_t>((data[i] << 8) | data[i + 1]));
            ++i;
        }
    }
    std::u16string database = s.session->currentDatabase();
    BatchResult result = s.session->execute(batch);
    CodePageEncoder codePage("GBK");
    ResultSetEncoder resultSets(codePage, {s.engine->collationLcid(), s.engine->collationSortId()});
    BufferSink sink;
    encodeBatchResult(sink, result, database, resultSets);
    if (s.session->currentDatabase() != u"score") {
        s.session->execute(u"use score\r\n");
    }
    return 0;
}
