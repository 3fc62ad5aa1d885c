// The demo's images: which file fills which texture, in loading order, with the
// wrap mode and label each gets when it is uploaded.
#ifndef SNOWGIG_IMAGES_H
#define SNOWGIG_IMAGES_H

class Texture;

struct ImageSeries {
    const char* firstPath;  // a numbered series counts up the digit in this name
    Texture** textures;
    int count;
    int wrap;
    const char* label;      // the texture's name in upload error messages
};

const int imageSeriesCount = 12;
// In loading order.
extern const ImageSeries images[imageSeriesCount];
// Indices into images, in upload order.
extern const int uploadOrder[imageSeriesCount];

#endif
