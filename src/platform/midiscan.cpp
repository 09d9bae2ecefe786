#include "midiscan.h"

#include <algorithm>
#include <array>
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

} // namespace

bool walk(const std::uint8_t *d, std::size_t size, Header *header,
          const std::function<void(const Event &)> &onEvent)
{
    if (size < 14 || std::string_view(reinterpret_cast<const char *>(d), 4) != "MThd" || be32(d + 4) < 6)
        return false;
    header->format = be16(d + 8);
    header->tracks = be16(d + 10);
    header->division = be16(d + 12);
    std::size_t pos = 8 + std::size_t(be32(d + 4));
    for (int t = 0; t < header->tracks; ++t) {
        if (pos + 8 > size || std::string_view(reinterpret_cast<const char *>(d + pos), 4) != "MTrk")
            return false;
        const std::size_t end = pos + 8 + std::size_t(be32(d + pos + 4));
        if (end > size)
            return false;
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
            e.tick += delta;
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

} // namespace MidiScan
