#pragma once

#include "core/codec.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

// Builds squadron file images record by record. Every byte the reader must
// skip is filled with random junk, so a reader that looks at the wrong place
// produces a different list.
class SquadronBuilder {
public:
    explicit SquadronBuilder(unsigned seed = 1) : m_random(seed) {}

    // A well-formed record with `blocks` 16-byte blocks and one plane entry per
    // plane; returns the byte offset at which it starts.
    std::size_t record(std::uint8_t squad, std::int16_t blocks, const std::vector<std::uint8_t>& planes)
    {
        return raw(squad, blocks, static_cast<std::int16_t>(planes.size()), planes);
    }

    // A record whose counts are written as given: `countA` blocks (none when
    // negative) and the given plane entries, whatever `countB` claims.
    std::size_t raw(std::uint8_t squad, std::int16_t countA, std::int16_t countB,
                    const std::vector<std::uint8_t>& planes)
    {
        const std::size_t start = m_image.size();
        const std::size_t blocks = countA > 0 ? static_cast<std::size_t>(countA) : 0;
        junk(60 + 16 * blocks + 4 + 28 * planes.size());
        m_image[start + 40] = squad;
        put16(start + 56, countA);
        put16(start + 60 + 16 * blocks, countB);
        for (std::size_t k = 0; k < planes.size(); ++k) {
            m_image[start + 64 + 16 * blocks + 28 * k] = planes[k];
            m_expected.push_back(text(planes[k], squad));
        }
        return start;
    }

    [[nodiscard]] const veq::Bytes& image() const { return m_image; }
    // The items of every plane entry written, in file order.
    [[nodiscard]] const veq::Entries& expected() const { return m_expected; }

    // The text of a plane-squadron entry, made independently of the program's codec.
    [[nodiscard]] static std::string text(std::uint8_t plane, std::uint8_t squad)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%02X000000%02X", plane, squad);
        return buffer;
    }

private:
    void junk(std::size_t count)
    {
        std::uniform_int_distribution<int> byte(0, 255);
        for (std::size_t i = 0; i < count; ++i)
            m_image.push_back(static_cast<std::uint8_t>(byte(m_random)));
    }
    void put16(std::size_t at, std::int16_t value)
    {
        const auto bits = static_cast<std::uint16_t>(value);
        m_image[at] = static_cast<std::uint8_t>(bits & 0xFF);
        m_image[at + 1] = static_cast<std::uint8_t>(bits >> 8);
    }

    std::mt19937 m_random;
    veq::Bytes m_image;
    veq::Entries m_expected;
};
