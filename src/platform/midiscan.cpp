#include "midiscan.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

namespace MidiScan {

namespace {

std::uint32_t be32(const std::uint8_t *p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
int be16(const std::uint8_t *p)
{
    return (p[0] << 8) | p[1];
}

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b)
{
    return b > kMax - a ? kMax : a + b;
}

// ticks * microsecondsPerQuarter / division without overflow on the way; the result
// saturates.
std::uint64_t spanUs(std::uint64_t ticks, std::uint32_t tempo, std::uint32_t division)
{
    if (tempo == 0)
        return 0;
    const std::uint64_t quarters = ticks / division, rest = ticks % division;
    if (quarters > kMax / tempo)
        return kMax;
    // rest < division < 2^16 and tempo < 2^24: the product fits.
    return saturatingAdd(quarters * tempo, rest * tempo / division);
}

} // namespace

bool walk(const std::uint8_t *d, std::size_t size, Header *header,
          const std::function<void(const Event &)> &onEvent)
{
    // Every length read from the file is checked against what is left of it before it is
    // added to a position: a length near 2^32 must not wrap past the end.
    if (size < 14 || std::string_view(reinterpret_cast<const char *>(d), 4) != "MThd")
        return false;
    const std::uint32_t headerSize = be32(d + 4);
    if (headerSize < 6 || headerSize > size - 8)
        return false;
    header->format = be16(d + 8);
    header->tracks = be16(d + 10);
    header->division = be16(d + 12);
    std::size_t pos = 8 + std::size_t(headerSize);
    for (int t = 0; t < header->tracks; ++t) {
        if (size - pos < 8 || std::string_view(reinterpret_cast<const char *>(d + pos), 4) != "MTrk")
            return false;
        const std::uint32_t length = be32(d + pos + 4);
        if (length > size - pos - 8)
            return false;
        const std::size_t end = pos + 8 + length;
        std::size_t p = pos + 8;
        Event e;
        e.track = t;
        std::uint8_t running = 0;
        const auto varLen = [&](std::uint32_t &v) {
            v = 0;
            for (int i = 0; i < 4; ++i) {
                if (p >= end)
                    return false;
                const std::uint8_t c = d[p++];
                v = (v << 7) | (c & 0x7f);
                if (!(c & 0x80))
                    return true;
            }
            return false;
        };
        while (p < end) {
            std::uint32_t delta = 0;
            if (!varLen(delta) || p >= end)
                return false;
            e.tick = saturatingAdd(e.tick, delta);
            std::uint8_t status = d[p];
            if (status & 0x80) {
                ++p;
                if (status < 0xf0)
                    running = status;
            } else if (running) {
                status = running;
            } else {
                return false;
            }
            e.status = status;
            e.metaType = 0;
            std::uint32_t len = 0;
            if (status == 0xff) {
                if (p >= end)
                    return false;
                e.metaType = d[p++];
                if (!varLen(len))
                    return false;
            } else if (status == 0xf0 || status == 0xf7) {
                if (!varLen(len))
                    return false;
            } else {
                const std::uint8_t kind = status & 0xf0;
                len = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
            }
            if (len > end - p)
                return false;
            e.data = d + p;
            e.size = len;
            p += len;
            onEvent(e);
            if (status == 0xff && e.metaType == 0x2f)
                break;
        }
        pos = end;
    }
    return true;
}

bool presetsUsed(const std::uint8_t *bytes, std::size_t size, std::set<Preset> *presets)
{
    // The messages that choose or sound a preset, from all tracks, put in the order a
    // player meets them: by tick, and in track order within a tick.
    struct Message
    {
        std::uint64_t tick;
        int track;
        std::uint8_t status, a, b;
    };
    std::vector<Message> messages;
    Header header;
    const bool ok = walk(bytes, size, &header, [&](const Event &e) {
        const std::uint8_t kind = e.status & 0xf0;
        if (kind == 0xc0 || kind == 0x90 || (kind == 0xb0 && e.data[0] == 0))
            messages.push_back(
                {e.tick, e.track, e.status, e.data[0], e.size > 1 ? e.data[1] : std::uint8_t(0)});
    });
    if (!ok)
        return false;
    std::stable_sort(messages.begin(), messages.end(), [](const Message &x, const Message &y) {
        return x.tick != y.tick ? x.tick < y.tick : x.track < y.track;
    });

    // A bank select takes effect at the channel's next program change.
    std::array<int, 16> bank{};
    std::array<Preset, 16> current{};
    current[kDrumChannel].bank = kDrumBank;
    for (const Message &m : messages) {
        const int ch = m.status & 0x0f;
        const bool drums = ch == kDrumChannel;
        switch (m.status & 0xf0) {
        case 0xb0:
            if (!drums)
                bank[ch] = m.b;
            break;
        case 0xc0:
            current[ch] = {drums ? kDrumBank : bank[ch], m.a};
            presets->insert(current[ch]);
            break;
        case 0x90:
            if (m.b > 0)
                presets->insert(current[ch]);
            break;
        }
    }
    return true;
}

std::int64_t durationMs(const std::uint8_t *bytes, std::size_t size)
{
    // Tempo changes from every track, and the tick of the last event of any track.
    std::map<std::uint64_t, std::uint32_t> tempo{{0, 500000}};
    std::uint64_t lastTick = 0;
    Header header;
    const bool ok = walk(bytes, size, &header, [&](const Event &e) {
        if (e.status == 0xff && e.metaType == 0x2f)
            return;
        if (e.status == 0xff && e.metaType == 0x51 && e.size == 3)
            tempo[e.tick] = (std::uint32_t(e.data[0]) << 16) | (std::uint32_t(e.data[1]) << 8) | e.data[2];
        lastTick = std::max(lastTick, e.tick);
    });
    const auto division = std::uint32_t(header.division);
    if (!ok || division & 0x8000 || division == 0)
        return -1; // SMPTE time is not used by any file this program plays

    std::uint64_t us = 0, at = 0;
    std::uint32_t current = 500000;
    for (const auto &[tick, value] : tempo) {
        if (tick >= lastTick)
            break;
        us = saturatingAdd(us, spanUs(tick - at, current, division));
        at = tick;
        current = value;
    }
    us = saturatingAdd(us, spanUs(lastTick - at, current, division));
    return std::int64_t(
        std::min<std::uint64_t>(saturatingAdd(us, 500) / 1000, std::numeric_limits<std::int64_t>::max()));
}

} // namespace MidiScan
