// Santa's quotes and the banner lines towed by the cars.
#ifndef SNOWGIG_DEMOTEXTS_H
#define SNOWGIG_DEMOTEXTS_H

const int quoteCount = 10;
const int bannerLineCount = 22;

struct QuoteOffset {
    float x;
    float y;
};

extern const char quotes[quoteCount][48];
extern const QuoteOffset quoteOffsets[quoteCount];
extern const char bannerLines[bannerLineCount][64];

#endif
