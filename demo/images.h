// The demo's images: which file fills which texture, in loading order, with the
// wrap mode and label each gets when it is uploaded.
#ifndef SNOWGIG_IMAGES_H
#define SNOWGIG_IMAGES_H

class Texture;

struct ImageFile {
    const char* path;
    Texture** texture;
    int wrap;
};

// Every image file, in loading order.
const int imageFileCount = 19;
extern const ImageFile imageFiles[imageFileCount];

// A single image, or a numbered series of frames ("data/tyre0.tga" to
// "data/tyre3.tga") that loads and uploads as one step.
struct ImageSeries {
    int firstFile;      // index into imageFiles
    int count;
    const char* label;  // the texture's name in upload error messages
};

const int imageSeriesCount = 12;
// In loading order.
extern const ImageSeries images[imageSeriesCount];
// Indices into images, in upload order.
extern const int uploadOrder[imageSeriesCount];

#endif
