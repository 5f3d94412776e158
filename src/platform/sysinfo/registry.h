#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reading values of the system registry, shaped like the Windows registry's ANSI calls so that
// the lookup above it reads the same on every platform. Names and texts are bytes in the system
// code page. Plain C++ so that a build without Qt can use and test it.
class Registry
{
public:
    // An open key; 0 is no key.
    using Key = std::uintptr_t;

    // The names differ from the Windows macros (HKEY_LOCAL_MACHINE, REG_SZ, ...) so that this
    // header and <windows.h> can meet in one unit.
    static constexpr std::uint32_t localMachine = 0x80000002;
    static constexpr std::uint32_t keyRead = 0x20019;

    static constexpr std::uint32_t typeString = 1;
    static constexpr std::uint32_t typeExpandString = 2;
    static constexpr std::uint32_t typeDword = 4;

    static constexpr std::int32_t success = 0;
    static constexpr std::int32_t notFound = 2;
    static constexpr std::int32_t moreData = 234;

    struct Opened
    {
        std::int32_t status;
        Key key;
    };

    struct Queried
    {
        std::int32_t status;
        std::uint32_t type;
        // The bytes written to the buffer, or with moreData the size the value would need.
        std::uint32_t size;
    };

    virtual ~Registry() = default;

    // A key opened with a non-zero status is 0.
    virtual Opened open(std::uint32_t root, const std::string &subKey, std::uint32_t access) = 0;
    // Fills the caller's buffer, up to its size: a longer value leaves it unread and answers
    // moreData.
    virtual Queried query(Key key, const std::string &valueName, std::vector<unsigned char> &buffer)
        = 0;
    // Closing 0 is allowed and does nothing.
    virtual void close(Key key) = 0;
};
