// The back city row seen over the front one through a full cycle of both rows
// at 640 x 480: nothing of the back row may read as standing on a front roof.
// The rows scroll frame by frame with the program's scroll rule at a fixed
// frame rate, so the check does not depend on how fast this machine is.
//
// Each picture column is reduced to its silhouette (the first row from the top
// with alpha of at least 128, solid below). A back column's body is what stays
// of the silhouette after an opening with a flat element 30 texels wide;
// chimneys, water tanks, lamp heads and gable tips are what it removes. In a
// frame, neighbouring columns whose shown intervals of the back row overlap
// form a patch. A patch reads wrong when it shows no body (an ornament on a
// front roof), is under 6 px wide (a sliver beside a front wall) or shows at
// most 3 px of body (a back roof that clears the front roof by too little).
// Followed in front-row coordinates, such a patch may last under 200 ms, the
// time a back wall edge takes to pass a front wall edge.
#include "packcontents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int blockTexels = 512;
const int ringTexels = 5 * blockTexels;
const int screenWidth = 640;
const int screenHeight = 480;
const int backTop = 60;
const int backBottom = 420;
const int solidAlpha = 128;
const int bodyWidth = 30;
const int sliverWidth = 6;
const int ledgeHeight = 4;
const int linkSlack = 2;
const double faultMs = 200.0;
const int stopBlock = 4;
const float stopMs = 10000.0f;
const int screenCentre = 320;

enum class Kind { none, ornament, sliver, ledge };

const char* kindName(Kind kind)
{
    switch (kind) {
    case Kind::ornament: return "ornament on a front roof";
    case Kind::sliver: return "sliver beside a front wall";
    case Kind::ledge: return "back roof hugging a front roof";
    default: return "nothing";
    }
}

struct Frame {
    double ms;      // since Santa starts walking
    double holdMs;  // how long the frame stays
    double front;   // ring positions in texels
    double back;
};

struct Patch {
    int first, last;
    Kind kind;
};

struct Track {
    Kind kind;
    double a, b;  // front-row coordinates
    double startMs, ms;
    int x;
};

std::vector<int> ringTops()
{
    std::vector<int> tops;
    for (int b = 0; b < 5; ++b) {
        const std::unique_ptr<Texture> city = loadPicture("city" + std::to_string(b) + ".tga");
        if (!city || city->width != uint32_t(blockTexels) || city->height != uint32_t(blockTexels))
            return {};
        for (uint32_t x = 0; x < city->width; ++x) {
            uint32_t top = 0;
            while (top < city->height && texelFromTop(*city, x, top).a < solidAlpha)
                ++top;
            tops.push_back(int(top));
        }
    }
    return tops;
}

std::vector<int> bodyTops(const std::vector<int>& tops)
{
    std::vector<int> eroded(ringTexels), body(ringTexels);
    for (int x = 0; x < ringTexels; ++x) {
        int low = 0;
        for (int k = 0; k < bodyWidth; ++k)
            low = std::max(low, tops[size_t((x + k) % ringTexels)]);
        eroded[size_t(x)] = low;
    }
    for (int x = 0; x < ringTexels; ++x) {
        int high = blockTexels;
        for (int k = 0; k < bodyWidth; ++k)
            high = std::min(high, eroded[size_t((x - k + ringTexels) % ringTexels)]);
        body[size_t(x)] = high;
    }
    return body;
}

// First screen row of a layer drawn from y0 to y1 whose pixel centre samples
// texel row `row` or below.
std::vector<int> onScreen(const std::vector<int>& rows, int y0, int y1)
{
    std::vector<int> screen;
    const double scale = double(y1 - y0) / blockTexels;
    for (int row : rows)
        screen.push_back(y0 + std::max(0, int(std::ceil(row * scale - 0.5))));
    return screen;
}

void scroll(float& position, int& block, float distance)
{
    position += distance;
    if (position > float(blockTexels)) {
        position = 0.0f;
        block = (block + 1) % 5;
    }
}

// One joint cycle (two rounds of the front row, one of the back row) at a
// fixed frame time, as the program's update moves the rows.
std::vector<Frame> timeline(float frameMs, int santaWidth)
{
    const float stopX = float(screenCentre) - float(santaWidth) * 1.5f;
    float santaX = -1.3f * float(santaWidth);
    double ms = 0;
    while (santaX <= stopX) {
        santaX += frameMs * 0.05f;
        ms += frameMs;
    }
    float front = 0, back = 0;
    int frontBlock = 0, backBlock = 4, frontWraps = 0;
    bool halted = false;
    std::vector<Frame> frames;
    while (frontWraps < 10) {
        const double frontAt = frontBlock * blockTexels + front;
        const double backAt = backBlock * blockTexels + back;
        if (frontBlock == stopBlock && !halted) {
            frames.push_back({ms, stopMs, frontAt, backAt});
            ms += stopMs;
            halted = true;
            continue;
        }
        frames.push_back({ms, frameMs, frontAt, backAt});
        ms += frameMs;
        const int before = frontBlock;
        scroll(front, frontBlock, frameMs * 0.1f);
        scroll(back, backBlock, frameMs * 0.05f);
        frontWraps += frontBlock != before;
        if (frontBlock != stopBlock)
            halted = false;
    }
    return frames;
}

struct Rows {
    std::vector<int> frontTop, backTop, backBody;
};

std::vector<Patch> patches(const Rows& rows, const Frame& frame)
{
    std::vector<Patch> found;
    bool open = false, body = false;
    int first = 0, tallest = 0, lastHigh = 0, lastLow = 0;
    auto close = [&](int last) {
        Kind kind = Kind::none;
        if (!body)
            kind = Kind::ornament;
        else if (last - first + 1 < sliverWidth)
            kind = Kind::sliver;
        else if (tallest < ledgeHeight)
            kind = Kind::ledge;
        found.push_back({first, last, kind});
        open = false;
    };
    for (int x = 0; x < screenWidth; ++x) {
        const size_t fc = size_t(int(std::floor(frame.front + x + 0.5)) % ringTexels);
        const size_t bc = size_t(int(std::floor(frame.back + x + 0.5)) % ringTexels);
        const int low = rows.frontTop[fc];
        const int high = rows.backTop[bc];
        if (high >= low) {
            if (open)
                close(x - 1);
            continue;
        }
        const bool showsBody = rows.backBody[bc] < low;
        if (open && std::max(high, lastHigh) < std::min(low, lastLow)) {
            body = body || showsBody;
            tallest = std::max(tallest, low - high);
        } else {
            if (open)
                close(x - 1);
            open = true;
            first = x;
            body = showsBody;
            tallest = low - high;
        }
        lastHigh = high;
        lastLow = low;
    }
    if (open)
        close(screenWidth - 1);
    return found;
}

std::vector<Track> lastingFaults(const Rows& rows, const std::vector<Frame>& frames)
{
    std::vector<Track> done, live;
    for (const Frame& frame : frames) {
        std::vector<Track> following;
        for (const Patch& patch : patches(rows, frame)) {
            if (patch.kind == Kind::none)
                continue;
            const double a = frame.front + patch.first, b = frame.front + patch.last;
            auto same = std::find_if(live.begin(), live.end(), [&](const Track& t) {
                return t.kind == patch.kind && a <= t.b + linkSlack && b >= t.a - linkSlack;
            });
            Track track{patch.kind, a, b, frame.ms, 0.0, patch.first};
            if (same != live.end()) {
                track = *same;
                live.erase(same);
            }
            track.a = a;
            track.b = b;
            track.ms += frame.holdMs;
            following.push_back(track);
        }
        done.insert(done.end(), live.begin(), live.end());
        live = following;
    }
    done.insert(done.end(), live.begin(), live.end());
    std::vector<Track> lasting;
    for (const Track& t : done)
        if (t.ms >= faultMs)
            lasting.push_back(t);
    return lasting;
}

struct FrameRate {
    const char* name;
    float frameMs;
};

// Frame rates change where each row's wrap drops its remainder and so how the
// rows line up, at the halts above all.
const FrameRate frameRates[] = {
    {"30 Hz", 1000.0f / 30.0f},
    {"60 Hz", 1000.0f / 60.0f},
    {"75 Hz", 1000.0f / 75.0f},
    {"120 Hz", 1000.0f / 120.0f},
};

const Kind faultKinds[] = {Kind::ornament, Kind::sliver, Kind::ledge};

TEST(City, BackRowNeverReadsAsStandingOnAFrontRoofOverAFullCycle)
{
    const std::vector<int> tops = ringTops();
    ASSERT_EQ(tops.size(), size_t(ringTexels)) << "the five city blocks do not load as 512 x 512";
    const std::unique_ptr<Texture> santa = loadPicture("santa.tga");
    ASSERT_TRUE(santa);
    const Rows rows{onScreen(tops, 0, screenHeight), onScreen(tops, backTop, backBottom),
                    onScreen(bodyTops(tops), backTop, backBottom)};
    for (const FrameRate& rate : frameRates) {
        const std::vector<Frame> frames = timeline(rate.frameMs, int(santa->width));
        ASSERT_GT(frames.size(), 1000u);
        const std::vector<Track> faults = lastingFaults(rows, frames);
        for (Kind kind : faultKinds) {
            SCOPED_TRACE(std::string(rate.name) + ", " + kindName(kind));
            std::ostringstream list;
            int count = 0;
            for (const Track& t : faults) {
                if (t.kind != kind)
                    continue;
                ++count;
                list << "\n  at " << t.startMs / 1000.0 << " s for " << t.ms / 1000.0 << " s, x " << t.x;
            }
            EXPECT_EQ(count, 0) << "since Santa starts walking:" << list.str();
        }
    }
}

}  // namespace
