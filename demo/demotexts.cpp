#include "demotexts.h"

const char quotes[quoteCount][48] = {
    "The band.. the\n    BAND!",
    "Yo fawgotcha\nbawdin pass!",
    "Whatchoo talkin\n   bout Gordon",
    "Yo!",
    "Bullshit Mr Jim-man!",
    "Man, you come\n right out of a\n  comic book",
    "I aint into that",
    "Yer damn right!",
    "Yo m sayin",
    "Tree fiddy!",
};

// Where each quote's first line begins, from Santa's origin, x counted from the
// right edge of his body.
const QuoteOffset quoteOffsets[quoteCount] = {
    {125.0f, -110.0f},
    {125.0f, -110.0f},
    {121.0f, -110.0f},
    {175.0f, -100.0f},
    {94.0f, -100.0f},
    {125.0f, -120.0f},
    {125.0f, -100.0f},
    {125.0f, -100.0f},
    {125.0f, -100.0f},
    {125.0f, -100.0f},
};

const char bannerLines[bannerLineCount][64] = {
    "",
    "Welcome to this fine piece of snowgig.",
    "On vocals we got Barnabus \"Sweet Beans\" Holloway,",
    "Marty \"10 Thumbs\" Grant on the keys,",
    "Emile van der Mark and the afro-nordic percussion consortium",
    "and Tuck on bass.",
    "",
    "",
    "Merry Christmas and a Happy New Year!",
    "In the best traditions of the Aussie scene,",
    "this was finished at the very last minute!",
    "",
    "Greetings to all the sceners out there making an effort!",
    "",
    "Code and graphics by torvic",
    "Music by pale wren",
    "",
    "",
    "",
    "This is a Tandrix production.",
    "",
    "",
};
