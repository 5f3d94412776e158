// The registry is outside bytes too: whatever it answers for the two values the System
// Information lookup reads (any status, any type, any bytes, any size it claims) must give a
// clear answer and start nothing but the one path the lookup yields.
//
// Input, front to back so that a seed can be written by hand: two answers, the tool's value
// then the folder's, each as open status, query status, type and claimed size (4 bytes each,
// little-endian), a 2-byte count and that many value bytes; then one byte whose bit 0 says
// whether the file test finds MSINFO32.EXE and bit 1 whether the program starts.

#include "fake_sys_info.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace {

const std::string toolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::size_t bufferSize = 1024;

class Input
{
public:
    Input(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }

    template<typename T> T take()
    {
        std::uint8_t bytes[sizeof(T)] = {};
        const std::size_t taken = std::min(m_size, sizeof bytes);
        std::memcpy(bytes, m_data, taken);
        std::uint64_t bits = 0;
        for (std::size_t i = sizeof bytes; i-- > 0;)
            bits = bits << 8 | bytes[i];
        skip(taken);
        return static_cast<T>(bits);
    }

    std::string takeBytes(std::size_t count)
    {
        const std::size_t taken = std::min(m_size, count);
        std::string bytes(reinterpret_cast<const char *>(m_data), taken);
        skip(taken);
        return bytes;
    }

private:
    void skip(std::size_t count)
    {
        m_data += count;
        m_size -= count;
    }

    const std::uint8_t *m_data;
    std::size_t m_size;
};

struct Answer
{
    std::int32_t openStatus;
    std::int32_t queryStatus;
    std::uint32_t type;
    std::uint32_t size;
    std::string bytes;

    static Answer take(Input &input)
    {
        Answer answer;
        answer.openStatus = input.take<std::int32_t>();
        answer.queryStatus = input.take<std::int32_t>();
        answer.type = input.take<std::uint32_t>();
        answer.size = input.take<std::uint32_t>();
        answer.bytes = input.takeBytes(input.take<std::uint16_t>());
        return answer;
    }
};

// Answers the two keys as the input says, checks that the lookup keeps to the calls' rules, and
// writes the value bytes into the caller's buffer however much size it then claims.
class FuzzRegistry final : public Registry
{
public:
    FuzzRegistry(const Answer &tool, const Answer &folder)
        : m_tool(tool)
        , m_folder(folder)
    { }

    Opened open(std::uint32_t root, const std::string &subKey, std::uint32_t access) override
    {
        FUZZ_CHECK(root == localMachine && access == keyRead);
        FUZZ_CHECK(subKey == toolKey || subKey == folderKey);
        opened.push_back(subKey);
        const Answer &answer = subKey == toolKey ? m_tool : m_folder;
        if (answer.openStatus != success)
            return { answer.openStatus, 0 };
        const Key key = opened.size();
        m_open[key] = &answer;
        return { success, key };
    }

    Queried query(
        Key key, const std::string &valueName, std::vector<unsigned char> &buffer) override
    {
        FUZZ_CHECK(m_open.count(key) == 1);
        const Answer &answer = *m_open[key];
        FUZZ_CHECK(valueName == (&answer == &m_tool ? "PATH" : "MSINFO"));
        FUZZ_CHECK(buffer.size() == bufferSize);
        FUZZ_CHECK(std::all_of(buffer.begin(), buffer.end(), [](unsigned char b) { return !b; }));
        std::copy_n(
            answer.bytes.begin(), std::min(answer.bytes.size(), buffer.size()), buffer.begin());
        return { answer.queryStatus, answer.type, answer.size };
    }

    void close(Key key) override
    {
        if (key != 0)
            FUZZ_CHECK(m_open.erase(key) == 1);
    }

    bool allClosed() const { return m_open.empty(); }

    std::vector<std::string> opened;

private:
    const Answer &m_tool;
    const Answer &m_folder;
    std::map<Key, const Answer *> m_open;
};

enum class Outcome { Read, Missing, Error };

struct Expected
{
    Outcome outcome;
    std::string text;
};

// What the lookup must make of an answer, worked out from the value's bytes as stored.
Expected expectedValue(const Answer &answer, const std::string &before)
{
    if (answer.openStatus != Registry::success || answer.queryStatus != Registry::success
        || answer.size > bufferSize)
        return { Outcome::Missing, "" };
    if (answer.size == 0)
        return { Outcome::Error, before };
    std::string stored(bufferSize, '\0');
    std::copy_n(answer.bytes.begin(), std::min(answer.bytes.size(), bufferSize), stored.begin());
    std::string value = stored.substr(0, answer.size);
    if (value.back() == '\0')
        value.pop_back();
    if (answer.type == Registry::typeString)
        return { Outcome::Read, value };
    if (answer.type != Registry::typeDword)
        return { Outcome::Read, before };
    if (value.empty())
        return { Outcome::Error, before };
    // A number is little-endian; zero bytes at its high end are no digits.
    const std::size_t digits = value.find_last_not_of('\0') + 1;
    if (digits > 4)
        return { Outcome::Error, before };
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < digits; ++i)
        number |= std::uint32_t(static_cast<unsigned char>(value[i])) << (8 * i);
    return { Outcome::Read, std::to_string(static_cast<std::int32_t>(number)) };
}

void checkLookup(const Answer &answer)
{
    FuzzRegistry registry(answer, answer);
    const std::string before = "unchanged";
    const Expected expected = expectedValue(answer, before);
    std::string text = before;
    Outcome outcome;
    try {
        outcome = GetKeyValue(registry, Registry::localMachine, toolKey, "PATH", text)
            ? Outcome::Read
            : Outcome::Missing;
    } catch (const KeyValueError &) {
        outcome = Outcome::Error;
    }
    FUZZ_CHECK(outcome == expected.outcome);
    FUZZ_CHECK(text == expected.text);
    FUZZ_CHECK(registry.allClosed());
}

// The launcher may start one path only: the first value as read, or the folder's MSINFO32.EXE
// after the file test found it. Any exception escaping it stops the fuzzer as a crash.
void checkLaunch(const Answer &tool, const Answer &folder, bool found, bool starts)
{
    std::vector<std::string> keys { toolKey };
    std::optional<std::string> tested;
    std::optional<std::string> path;
    const Expected first = expectedValue(tool, "");
    if (first.outcome == Outcome::Read) {
        path = first.text;
    } else if (first.outcome == Outcome::Missing) {
        keys.push_back(folderKey);
        const Expected second = expectedValue(folder, "");
        if (second.outcome == Outcome::Read) {
            tested = second.text + "\\MSINFO32.EXE";
            if (found)
                path = tested;
        }
    }
    // The doubles say yes only to the expected path; another path shows in what they record.
    FuzzRegistry registry(tool, folder);
    FakeFileTest files;
    if (found && tested)
        files.normalFiles.insert(*tested);
    FakeProgramStarter programs;
    if (starts && path)
        programs.startable.insert(*path);
    SysInfoServices services { registry, files, programs };
    const bool started = StartSysInfo(services);

    const auto asList = [](const std::optional<std::string> &item) {
        return item ? std::vector<std::string> { *item } : std::vector<std::string> {};
    };
    FUZZ_CHECK(registry.opened == keys);
    FUZZ_CHECK(registry.allClosed());
    FUZZ_CHECK(files.tested == asList(tested));
    FUZZ_CHECK(programs.attempts == asList(path));
    FUZZ_CHECK(started == (path && starts));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input input(data, size);
    const Answer tool = Answer::take(input);
    const Answer folder = Answer::take(input);
    const auto outcomes = input.take<std::uint8_t>();
    checkLookup(tool);
    checkLookup(folder);
    checkLaunch(tool, folder, outcomes & 1, outcomes & 2);
    return 0;
}
