// A stand-in for the GL calls the frame makes: it records each call in order,
// follows the modelview matrix, and collects every quad with its vertices in
// window coordinates, its texture coordinates, bound texture and colour.
#ifndef SNOWGIG_TEST_GLRECORDER_H
#define SNOWGIG_TEST_GLRECORDER_H

#include <string>
#include <vector>

struct GLCall {
    std::string name;
    double args[6];
};

struct Point {
    double x;
    double y;
};

struct RecordedQuad {
    unsigned int texture;
    float color[4];
    Point vertices[4];   // window coordinates, in the order given
    Point texCoords[4];  // (s, t) of each vertex
    int begunWith;       // the glBegin mode
};

struct GLRecord {
    std::vector<GLCall> calls;
    std::vector<RecordedQuad> quads;
    int maxPushDepth = 0;
    int pushDepth = 0;
    bool stackFault = false;  // a pop without a push
};

extern GLRecord glRecord;

void resetGLRecord();
// Where the local point (x, y) lies under the current modelview matrix.
Point currentTransform(double x, double y);
// Names of the recorded calls, one after the other.
std::vector<std::string> callNames();

#endif
