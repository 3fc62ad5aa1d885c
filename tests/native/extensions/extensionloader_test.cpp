#include "extensionplatform.h"
#include "fakedriver.h"
#include "glextensions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The extension flags in the order of the record; the three version flags follow.
const char* const recordNames[] = {
    "WGL_ARB_buffer_region", "WGL_ARB_extensions_string", "WGL_ARB_make_current_read",
    "WGL_ARB_multisample", "WGL_ARB_pbuffer", "WGL_ARB_pixel_format", "WGL_ARB_render_texture",
    "WGL_ATI_pixel_format_float", "WGL_EXT_extensions_string", "WGL_EXT_swap_control",
    "WGL_NV_render_depth_texture", "WGL_NV_render_texture_rectangle", "GL_ARB_imaging",
    "GL_ARB_depth_texture", "GL_ARB_fragment_program", "GL_ARB_matrix_palette",
    "GL_ARB_multisample", "GL_ARB_multitexture", "GL_ARB_point_parameters", "GL_ARB_shadow",
    "GL_ARB_shadow_ambient", "GL_ARB_texture_border_clamp", "GL_ARB_texture_compression",
    "GL_ARB_texture_cube_map", "GL_ARB_texture_env_add", "GL_ARB_texture_env_dot3",
    "GL_ARB_texture_env_combine", "GL_ARB_texture_env_crossbar", "GL_ARB_texture_mirrored_repeat",
    "GL_ARB_transpose_matrix", "GL_ARB_vertex_blend", "GL_ARB_vertex_buffer_object",
    "GL_ARB_vertex_program", "GL_ARB_window_pos", "GL_EXT_abgr", "GL_EXT_bgra",
    "GL_EXT_blend_color", "GL_EXT_blend_func_separate", "GL_EXT_blend_minmax",
    "GL_EXT_blend_subtract", "GL_EXT_compiled_vertex_array", "GL_EXT_cull_vertex",
    "GL_EXT_depth_bounds_test", "GL_EXT_draw_range_elements", "GL_EXT_fog_coord",
    "GL_EXT_multi_draw_arrays", "GL_EXT_point_parameters", "GL_EXT_secondary_color",
    "GL_EXT_separate_specular_color", "GL_EXT_shadow_funcs", "GL_EXT_stencil_two_side",
    "GL_EXT_stencil_wrap", "GL_EXT_texture_compression_s3tc", "GL_EXT_texture_env_combine",
    "GL_EXT_texture_filter_anisotropic", "GL_EXT_texture_lod_bias", "GL_EXT_texture_rectangle",
    "GL_EXT_vertex_shader", "GL_EXT_vertex_weighting", "GL_ATI_draw_buffers",
    "GL_ATI_element_array", "GL_ATI_envmap_bumpmap", "GL_ATI_fragment_shader",
    "GL_ATI_map_object_buffer", "GL_ATI_pn_triangles", "GL_ATI_point_cull_mode",
    "GL_ATI_separate_stencil", "GL_ATI_text_fragment_shader", "GL_ATI_texture_env_combine3",
    "GL_ATI_texture_float", "GL_ATI_texture_mirror_once", "GL_ATI_vertex_array_object",
    "GL_ATI_vertex_attrib_array_object", "GL_ATI_vertex_streams", "GL_ATIX_point_sprites",
    "GL_ATIX_texture_env_route", "GL_HP_occlusion_test", "GL_NV_blend_square",
    "GL_NV_copy_depth_to_color", "GL_NV_depth_clamp", "GL_NV_element_array", "GL_NV_evaluators",
    "GL_NV_fence", "GL_NV_float_buffer", "GL_NV_fog_distance", "GL_NV_fragment_program",
    "GL_NV_half_float", "GL_NV_light_max_exponent", "GL_NV_occlusion_query",
    "GL_NV_packed_depth_stencil", "GL_NV_pixel_data_range", "GL_NV_point_sprite",
    "GL_NV_primitive_restart", "GL_NV_register_combiners", "GL_NV_register_combiners2",
    "GL_NV_texgen_reflection", "GL_NV_texture_env_combine4", "GL_NV_texture_expand_normal",
    "GL_NV_texture_rectangle", "GL_NV_texture_shader", "GL_NV_texture_shader2",
    "GL_NV_texture_shader3", "GL_NV_vertex_array_range", "GL_NV_vertex_array_range2",
    "GL_NV_vertex_program", "GL_NV_vertex_program1_1", "GL_NV_vertex_program2",
    "GL_SGIS_generate_mipmap", "GL_SGIS_texture_lod", "GL_SGIX_shadow", "GL_SGIX_depth_texture",
};
const int recordFlagCount = 114;
const int wglArbExtensionsStringIndex = 1;
const int wglExtExtensionsStringIndex = 8;

std::vector<int32_t> recordOf(const ExtensionFlags& flags)
{
    std::vector<int32_t> values(recordFlagCount);
    std::memcpy(values.data(), &flags, sizeof(flags));
    return values;
}

std::vector<int> setFlagIndexes()
{
    std::vector<int> set;
    const std::vector<int32_t> values = recordOf(extensionFlags);
    for (int i = 0; i < recordFlagCount; ++i) {
        if (values[i] != 0)
            set.push_back(i);
    }
    return set;
}

bool isWgl(const std::string& name)
{
    return name.compare(0, 4, "WGL_") == 0;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

// Offers the names in the strings they belong to: GL names in the GL string,
// WGL names in the WGL string of wglGetExtensionsStringEXT.
void offer(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        std::string& list = isWgl(name) ? fakeDriver.wglExtensionsEXT : fakeDriver.extensions;
        list += (list.empty() ? "" : " ") + name;
        if (isWgl(name))
            fakeDriver.exportsExtensionsStringEXT = true;
    }
}

int load()
{
    return loadExtensions(fakePlatform());
}

std::vector<GLProc> allEntryPoints()
{
    std::vector<GLProc> pointers(sizeof(GLEntryPoints) / sizeof(GLProc));
    std::memcpy(pointers.data(), &glEntryPoints, sizeof(GLEntryPoints));
    return pointers;
}

bool lookedUp(const std::string& name)
{
    const std::vector<std::string>& all = fakeDriver.lookups;
    return std::find(all.begin(), all.end(), name) != all.end();
}

class ExtensionLoader : public ::testing::Test {
protected:
    void SetUp() override { resetLoader(); }
};

TEST_F(ExtensionLoader, EachExtensionSetsItsOwnFlagOfTheRecord)
{
    for (int i = 0; i < int(std::size(recordNames)); ++i) {
        const std::string name = recordNames[i];
        resetLoader();
        std::vector<int> expected;
        if (name == "WGL_ARB_extensions_string") {
            fakeDriver.exportsExtensionsStringARB = true;
        } else if (name == "WGL_EXT_extensions_string") {
            fakeDriver.exportsExtensionsStringEXT = true;
        } else {
            offer({name});
            if (isWgl(name))
                expected.push_back(wglExtExtensionsStringIndex);
        }
        expected.push_back(i);
        std::sort(expected.begin(), expected.end());
        load();
        EXPECT_EQ(expected, setFlagIndexes()) << name;
        EXPECT_EQ(0, std::memcmp(&extensionFlags, &supportedExtensions, sizeof(ExtensionFlags)))
            << name;
    }
}

TEST_F(ExtensionLoader, VersionStringsSetTheVersionFlags)
{
    struct Case {
        const char* version;
        std::vector<int> flags;  // openGL12, openGL13, openGL14
    };
    const Case cases[] = {
        {"1.1.0", {0, 0, 0}},
        {"1.2.1", {1, 0, 0}},
        {"1.3.0 Vendor", {1, 1, 0}},
        {"1.4.0", {1, 1, 1}},
        {"1.5.0", {1, 1, 1}},
        {"2.0.0", {1, 1, 1}},
        {"2.1.2", {1, 1, 1}},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", {1, 1, 1}},
        {"0.9", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"Vendor 1.4", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        resetLoader();
        extensionFlags.openGL12 = extensionFlags.openGL13 = extensionFlags.openGL14 = 1;
        fakeDriver.version = c.version;
        load();
        EXPECT_EQ(c.flags, (std::vector<int>{openGL12, openGL13, openGL14})) << c.version;
        EXPECT_EQ(c.flags, (std::vector<int>{supportedExtensions.openGL12,
                                             supportedExtensions.openGL13,
                                             supportedExtensions.openGL14}))
            << c.version;
    }
}

TEST_F(ExtensionLoader, WithoutVersionStringNoVersionOrGLFlagChanges)
{
    fakeDriver.version = "1.4.0";
    offer({"GL_ARB_multitexture"});
    load();
    ASSERT_TRUE(openGL14);
    ASSERT_TRUE(extensionFlags.glARB_multitexture);

    fakeDriver.hasVersion = false;
    fakeDriver.extensions = "GL_EXT_bgra";
    EXPECT_EQ(0, load());
    EXPECT_TRUE(openGL12 && openGL13 && openGL14);
    EXPECT_TRUE(extensionFlags.glARB_multitexture);
    EXPECT_FALSE(extensionFlags.glEXT_bgra);
    EXPECT_STREQ("", extensionList);
}

TEST_F(ExtensionLoader, ListsFoundNamesInQueryOrder)
{
    offer({"GL_EXT_bgra", "GL_ARB_multitexture"});
    load();
    EXPECT_STREQ("GL_ARB_multitexture GL_EXT_bgra ", extensionList);
    // A second run starts the list afresh.
    load();
    EXPECT_STREQ("GL_ARB_multitexture GL_EXT_bgra ", extensionList);
}

TEST_F(ExtensionLoader, ListsEveryGroupAlphabetically)
{
    std::vector<std::string> gl;
    for (const char* name : recordNames) {
        if (!isWgl(name))
            gl.push_back(name);
    }
    ASSERT_EQ(99u, gl.size());
    std::vector<std::string> reversed(gl.rbegin(), gl.rend());
    offer(reversed);

    const char* const groups[] = {"GL_ARB_", "GL_EXT_", "GL_ATI_", "GL_ATIX_",
                                  "GL_HP_", "GL_NV_", "GL_SGIS_", "GL_SGIX_"};
    std::vector<std::string> expected;
    for (const std::string group : groups) {
        std::vector<std::string> members;
        for (const std::string& name : gl) {
            if (name.compare(0, group.size(), group) == 0)
                members.push_back(name);
        }
        std::sort(members.begin(), members.end());
        expected.insert(expected.end(), members.begin(), members.end());
    }
    ASSERT_EQ(99u, expected.size());
    load();
    EXPECT_EQ(joined(expected), std::string(extensionList));
}

TEST_F(ExtensionLoader, RepeatedQueriesNeverOverflowTheList)
{
    // 25 bytes a name with its space: 200 of them would leave no room for the
    // terminator, so the list stops at 199.
    const std::string entry = "GL_NV_register_combiners ";
    offer({"GL_NV_register_combiners"});
    load();
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(1, queryExtension("GL_NV_register_combiners"));
    const size_t length = strnlen(extensionList, sizeof(extensionList));
    EXPECT_EQ(199 * entry.size(), length);
    for (size_t at = 0; at + entry.size() <= length; at += entry.size())
        EXPECT_EQ(0, std::strncmp(extensionList + at, entry.c_str(), entry.size())) << at;
}

TEST_F(ExtensionLoader, MissingStringsOfferNothing)
{
    fakeDriver.hasExtensions = false;
    EXPECT_EQ(0, load());
    EXPECT_EQ(std::vector<int>{}, setFlagIndexes());
    EXPECT_EQ(0, queryExtension("GL_ARB_multitexture"));
    EXPECT_EQ(0, queryWglExtension("WGL_EXT_swap_control"));

    // A platform without any function behaves the same.
    resetLoader();
    EXPECT_EQ(0, loadExtensions(ExtensionPlatform()));
    EXPECT_EQ(std::vector<int>{}, setFlagIndexes());
    EXPECT_EQ(nullptr, getProcAddress("glActiveTexture"));
    EXPECT_EQ(1, lookupFailed);
    EXPECT_EQ(0, queryExtension("GL_ARB_multitexture"));
}

struct LoaderSize {
    const char* extension;
    int count;
    const char* suffix;
};

const LoaderSize glLoaderSizes[] = {
    {"GL_ARB_fragment_program", 19, "ARB"}, {"GL_ARB_imaging", 34, ""},
    {"GL_ARB_matrix_palette", 5, "ARB"}, {"GL_ARB_multisample", 1, "ARB"},
    {"GL_ARB_multitexture", 34, "ARB"}, {"GL_ARB_point_parameters", 2, "ARB"},
    {"GL_ARB_texture_compression", 7, "ARB"}, {"GL_ARB_transpose_matrix", 4, "ARB"},
    {"GL_ARB_vertex_blend", 10, "ARB"}, {"GL_ARB_vertex_buffer_object", 11, "ARB"},
    {"GL_ARB_vertex_program", 62, "ARB"}, {"GL_ARB_window_pos", 16, "ARB"},
    {"GL_EXT_blend_color", 1, "EXT"}, {"GL_EXT_blend_func_separate", 1, "EXT"},
    {"GL_EXT_blend_minmax", 1, "EXT"}, {"GL_EXT_compiled_vertex_array", 2, "EXT"},
    {"GL_EXT_cull_vertex", 2, "EXT"}, {"GL_EXT_depth_bounds_test", 1, "EXT"},
    {"GL_EXT_draw_range_elements", 1, "EXT"}, {"GL_EXT_fog_coord", 5, "EXT"},
    {"GL_EXT_multi_draw_arrays", 2, "EXT"}, {"GL_EXT_point_parameters", 2, "EXT"},
    {"GL_EXT_secondary_color", 17, "EXT"}, {"GL_EXT_stencil_two_side", 1, "EXT"},
    {"GL_EXT_vertex_shader", 42, "EXT"}, {"GL_EXT_vertex_weighting", 3, "EXT"},
    {"GL_ATI_draw_buffers", 1, "ATI"}, {"GL_ATI_element_array", 3, "ATI"},
    {"GL_ATI_envmap_bumpmap", 4, "ATI"}, {"GL_ATI_fragment_shader", 14, "ATI"},
    {"GL_ATI_map_object_buffer", 2, "ATI"}, {"GL_ATI_pn_triangles", 2, "ATI"},
    {"GL_ATI_separate_stencil", 2, "ATI"}, {"GL_ATI_vertex_array_object", 12, "ATI"},
    {"GL_ATI_vertex_attrib_array_object", 3, "ATI"}, {"GL_ATI_vertex_streams", 37, "ATI"},
    {"GL_NV_element_array", 5, "NV"}, {"GL_NV_fence", 7, "NV"},
    {"GL_NV_fragment_program", 6, "NV"}, {"GL_NV_occlusion_query", 7, "NV"},
    {"GL_NV_pixel_data_range", 2, "NV"}, {"GL_NV_point_sprite", 2, "NV"},
    {"GL_NV_primitive_restart", 2, "NV"}, {"GL_NV_register_combiners", 13, "NV"},
    {"GL_NV_register_combiners2", 2, "NV"}, {"GL_NV_vertex_array_range", 4, "NV"},
    {"GL_NV_vertex_program", 64, "NV"}, {"GL_NV_half_float", 20, "NV"},
};

const LoaderSize wglLoaderSizes[] = {
    {"WGL_ARB_make_current_read", 2, "ARB"}, {"WGL_EXT_swap_control", 2, "EXT"},
    {"WGL_ARB_render_texture", 3, "ARB"}, {"WGL_ARB_pixel_format", 3, "ARB"},
    {"WGL_ARB_pbuffer", 5, "ARB"}, {"WGL_ARB_buffer_region", 4, "ARB"},
};

void expectDistinctNamesWithSuffix(const std::vector<std::string>& names, const LoaderSize& size)
{
    EXPECT_EQ(size_t(size.count), std::set<std::string>(names.begin(), names.end()).size())
        << size.extension;
    for (const std::string& name : names) {
        EXPECT_TRUE(name.compare(0, 2, "gl") == 0 || name.compare(0, 3, "wgl") == 0) << name;
        if (*size.suffix) {
            EXPECT_TRUE(endsWith(name, size.suffix)) << size.extension << ": " << name;
        } else {
            EXPECT_FALSE(endsWith(name, "ARB") || endsWith(name, "EXT")) << name;
        }
    }
}

TEST_F(ExtensionLoader, EachGLLoaderFetchesItsEntryPoints)
{
    for (const LoaderSize& size : glLoaderSizes) {
        resetLoader();
        offer({size.extension});
        EXPECT_EQ(0, load());
        const std::vector<std::string> names = lookupsWithoutExtensionsString();
        EXPECT_EQ(size_t(size.count), names.size()) << size.extension;
        expectDistinctNamesWithSuffix(names, size);
    }
}

TEST_F(ExtensionLoader, EachWglLoaderFetchesItsEntryPoints)
{
    for (const LoaderSize& size : wglLoaderSizes) {
        resetLoader();
        offer({size.extension});
        EXPECT_EQ(0, load());
        const std::vector<std::string> names = lookupsWithoutExtensionsString();
        EXPECT_EQ(size_t(size.count), names.size()) << size.extension;
        expectDistinctNamesWithSuffix(names, size);
    }
}

TEST_F(ExtensionLoader, EachVersionFetchesTheCoreEntryPoints)
{
    const std::pair<const char*, size_t> versions[] = {
        {"1.1", 0}, {"1.2", 4}, {"1.3", 4 + 46}, {"1.4", 4 + 46 + 45}};
    for (const auto& version : versions) {
        resetLoader();
        fakeDriver.version = version.first;
        load();
        const std::vector<std::string> names = lookupsWithoutExtensionsString();
        EXPECT_EQ(version.second, names.size()) << version.first;
        EXPECT_EQ(version.second, std::set<std::string>(names.begin(), names.end()).size());
        for (const std::string& name : names)
            EXPECT_FALSE(endsWith(name, "ARB") || endsWith(name, "EXT")) << name;
    }
}

TEST_F(ExtensionLoader, EveryEntryPointIsFetchedAndClearedWhenMissing)
{
    std::vector<std::string> all(std::begin(recordNames), std::end(recordNames));
    fakeDriver.version = "1.5.0";
    offer(all);
    fakeDriver.exportsExtensionsStringARB = true;
    fakeDriver.wglExtensionsARB = fakeDriver.wglExtensionsEXT;
    EXPECT_EQ(0, load());
    const std::vector<GLProc> fetched = allEntryPoints();
    for (size_t i = 0; i < fetched.size(); ++i)
        EXPECT_NE(nullptr, fetched[i]) << "pointer " << i << " of GLEntryPoints";
    const std::set<std::string> distinct(fakeDriver.lookups.begin(), fakeDriver.lookups.end());
    EXPECT_EQ(fetched.size(), distinct.size());

    // A later run that finds none of them leaves their pointers null again.
    fakeDriver.allOthersMissing = true;
    EXPECT_EQ(1, load());
    const std::vector<GLProc> cleared = allEntryPoints();
    EXPECT_NE(nullptr, glEntryPoints.wglGetExtensionsStringARB);
    EXPECT_NE(nullptr, glEntryPoints.wglGetExtensionsStringEXT);
    EXPECT_EQ(size_t(2), fetched.size() - std::count(cleared.begin(), cleared.end(), nullptr));
}

TEST_F(ExtensionLoader, MissingWglEntryPointFailsTheLoad)
{
    offer({"WGL_EXT_swap_control"});
    fakeDriver.missing = {"wglGetSwapIntervalEXT"};
    EXPECT_EQ(1, load());
    EXPECT_NE(nullptr, glEntryPoints.wglSwapIntervalEXT);
    EXPECT_EQ(nullptr, glEntryPoints.wglGetSwapIntervalEXT);
    EXPECT_TRUE(supportedExtensions.wglEXT_swap_control);

    // Any entry point of any WGL loader.
    for (const LoaderSize& size : wglLoaderSizes) {
        resetLoader();
        offer({size.extension});
        load();
        const std::vector<std::string> names = lookupsWithoutExtensionsString();
        for (const std::string& name : names) {
            resetLoader();
            offer({size.extension});
            fakeDriver.missing = {name};
            EXPECT_EQ(1, load()) << size.extension << " without " << name;
        }
    }
}

TEST_F(ExtensionLoader, MissingGLEntryPointOnlyLeavesItsPointerNull)
{
    offer({"GL_ARB_vertex_buffer_object", "WGL_EXT_swap_control"});
    fakeDriver.missing = {"glBindBufferARB", "glMapBufferARB"};
    EXPECT_EQ(0, load());
    EXPECT_TRUE(extensionFlags.glARB_vertex_buffer_object);
    EXPECT_EQ(nullptr, glEntryPoints.glBindBufferARB);
    EXPECT_EQ(nullptr, glEntryPoints.glMapBufferARB);
    EXPECT_NE(nullptr, glEntryPoints.glGenBuffersARB);
    EXPECT_NE(nullptr, glEntryPoints.wglGetSwapIntervalEXT);
}

TEST_F(ExtensionLoader, MissingExtensionsStringEntryPointsDoNotFail)
{
    fakeDriver.wglExtensionsARB = "WGL_EXT_swap_control";
    fakeDriver.wglExtensionsEXT = "WGL_EXT_swap_control";
    EXPECT_EQ(0, load());
    EXPECT_EQ(std::vector<int>{}, setFlagIndexes());
    EXPECT_EQ(0, queryWglExtension("WGL_EXT_swap_control"));

    resetLoader();
    fakeDriver.exportsExtensionsStringEXT = true;
    EXPECT_EQ(0, load());
    EXPECT_EQ(std::vector<int>{wglExtExtensionsStringIndex}, setFlagIndexes());
}

TEST_F(ExtensionLoader, WglStringComesFromTheArbEntryPointFirst)
{
    fakeDriver.exportsExtensionsStringARB = true;
    fakeDriver.exportsExtensionsStringEXT = true;
    fakeDriver.wglExtensionsARB = "WGL_ARB_pbuffer";
    fakeDriver.wglExtensionsEXT = "WGL_EXT_swap_control";
    load();
    EXPECT_TRUE(extensionFlags.wglARB_pbuffer);
    EXPECT_FALSE(extensionFlags.wglEXT_swap_control);
    ASSERT_FALSE(fakeDriver.dcsPassed.empty());
    for (void* dc : fakeDriver.dcsPassed)
        EXPECT_EQ(fakeDC, dc);
    EXPECT_EQ(1, queryWglExtension("WGL_ARB_pbuffer"));
    EXPECT_STREQ("", extensionList);

    resetLoader();
    fakeDriver.exportsExtensionsStringEXT = true;
    fakeDriver.wglExtensionsARB = "WGL_ARB_pbuffer";
    fakeDriver.wglExtensionsEXT = "WGL_EXT_swap_control";
    load();
    EXPECT_FALSE(extensionFlags.wglARB_pbuffer);
    EXPECT_TRUE(extensionFlags.wglEXT_swap_control);
}

TEST_F(ExtensionLoader, NullWglStringFindsNothing)
{
    fakeDriver.exportsExtensionsStringARB = true;
    fakeDriver.arbStringIsNull = true;
    EXPECT_EQ(0, load());
    EXPECT_EQ(std::vector<int>{wglArbExtensionsStringIndex}, setFlagIndexes());
}

int halfFloatLookups()
{
    int count = 0;
    for (const std::string& name : fakeDriver.lookups)
        count += endsWith(name, "hNV") || endsWith(name, "hvNV");
    return count;
}

TEST_F(ExtensionLoader, HalfFloatFetchesOnlyWhatItsCompanionsAllow)
{
    struct Case {
        const char* version;
        std::vector<std::string> companions;
        int lookups;
        const char* decidingEntryPoint;  // fetched exactly when the case says so
        bool fetched;
    };
    const Case cases[] = {
        {"1.2", {}, 20, "glMultiTexCoord1hNV", false},
        {"1.3", {}, 28, "glMultiTexCoord4hvNV", true},
        {"1.2", {"GL_ARB_multitexture"}, 28, "glMultiTexCoord1hNV", true},
        {"1.2", {"GL_EXT_fog_coord"}, 22, "glFogCoordhvNV", true},
        {"1.2", {"GL_EXT_secondary_color"}, 22, "glSecondaryColor3hNV", true},
        {"1.2", {"GL_EXT_vertex_weighting"}, 22, "glVertexWeighthvNV", true},
        {"1.2", {"GL_NV_vertex_program"}, 32, "glVertexAttribs4hvNV", true},
        {"1.4",
         {"GL_ARB_multitexture", "GL_EXT_fog_coord", "GL_EXT_secondary_color",
          "GL_EXT_vertex_weighting", "GL_NV_vertex_program"},
         46, "glVertexAttrib1hNV", true},
    };
    for (const Case& c : cases) {
        resetLoader();
        fakeDriver.version = c.version;
        std::vector<std::string> offered = c.companions;
        offered.push_back("GL_NV_half_float");
        offer(offered);
        load();
        const std::string label = std::string(c.version) + " " + joined(c.companions);
        EXPECT_EQ(c.lookups, halfFloatLookups()) << label;
        EXPECT_EQ(c.fetched, lookedUp(c.decidingEntryPoint)) << label;
    }
    // Below 1.3 and without GL_ARB_multitexture the multi-texture pointers stay null.
    resetLoader();
    fakeDriver.version = "1.2.1";
    offer({"GL_NV_half_float"});
    load();
    EXPECT_NE(nullptr, glEntryPoints.glTexCoord4hvNV);
    EXPECT_EQ(nullptr, glEntryPoints.glMultiTexCoord1hNV);
    EXPECT_EQ(nullptr, glEntryPoints.glMultiTexCoord4hvNV);
    // Without the extension itself none of them is looked up.
    resetLoader();
    fakeDriver.version = "1.4";
    offer({"GL_ARB_multitexture", "GL_NV_vertex_program"});
    load();
    EXPECT_EQ(0, halfFloatLookups());
}

}  // namespace
