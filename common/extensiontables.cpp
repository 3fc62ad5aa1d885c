// The names the loader looks for: the GL and WGL extensions with the flag each
// one sets, and the entry points each loader fetches.
#include "extensiontables.h"

#include <iterator>

#define FLAG(name, field) { name, &ExtensionFlags::field }
#define ENTRY(name) { #name, &GLEntryPoints::name }
#define LIST(entries) { entries, int(std::size(entries)) }

// Queried in this order, so extensionList lists the found names in it: the
// groups ARB, EXT, ATI, ATIX, HP, NV, SGIS, SGIX, alphabetical within each.
const NamedFlag glExtensionQueries[] = {
    FLAG("GL_ARB_depth_texture", glARB_depth_texture),
    FLAG("GL_ARB_fragment_program", glARB_fragment_program),
    FLAG("GL_ARB_imaging", glARB_imaging),
    FLAG("GL_ARB_matrix_palette", glARB_matrix_palette),
    FLAG("GL_ARB_multisample", glARB_multisample),
    FLAG("GL_ARB_multitexture", glARB_multitexture),
    FLAG("GL_ARB_point_parameters", glARB_point_parameters),
    FLAG("GL_ARB_shadow", glARB_shadow),
    FLAG("GL_ARB_shadow_ambient", glARB_shadow_ambient),
    FLAG("GL_ARB_texture_border_clamp", glARB_texture_border_clamp),
    FLAG("GL_ARB_texture_compression", glARB_texture_compression),
    FLAG("GL_ARB_texture_cube_map", glARB_texture_cube_map),
    FLAG("GL_ARB_texture_env_add", glARB_texture_env_add),
    FLAG("GL_ARB_texture_env_combine", glARB_texture_env_combine),
    FLAG("GL_ARB_texture_env_crossbar", glARB_texture_env_crossbar),
    FLAG("GL_ARB_texture_env_dot3", glARB_texture_env_dot3),
    FLAG("GL_ARB_texture_mirrored_repeat", glARB_texture_mirrored_repeat),
    FLAG("GL_ARB_transpose_matrix", glARB_transpose_matrix),
    FLAG("GL_ARB_vertex_blend", glARB_vertex_blend),
    FLAG("GL_ARB_vertex_buffer_object", glARB_vertex_buffer_object),
    FLAG("GL_ARB_vertex_program", glARB_vertex_program),
    FLAG("GL_ARB_window_pos", glARB_window_pos),
    FLAG("GL_EXT_abgr", glEXT_abgr),
    FLAG("GL_EXT_bgra", glEXT_bgra),
    FLAG("GL_EXT_blend_color", glEXT_blend_color),
    FLAG("GL_EXT_blend_func_separate", glEXT_blend_func_separate),
    FLAG("GL_EXT_blend_minmax", glEXT_blend_minmax),
    FLAG("GL_EXT_blend_subtract", glEXT_blend_subtract),
    FLAG("GL_EXT_compiled_vertex_array", glEXT_compiled_vertex_array),
    FLAG("GL_EXT_cull_vertex", glEXT_cull_vertex),
    FLAG("GL_EXT_depth_bounds_test", glEXT_depth_bounds_test),
    FLAG("GL_EXT_draw_range_elements", glEXT_draw_range_elements),
    FLAG("GL_EXT_fog_coord", glEXT_fog_coord),
    FLAG("GL_EXT_multi_draw_arrays", glEXT_multi_draw_arrays),
    FLAG("GL_EXT_point_parameters", glEXT_point_parameters),
    FLAG("GL_EXT_secondary_color", glEXT_secondary_color),
    FLAG("GL_EXT_separate_specular_color", glEXT_separate_specular_color),
    FLAG("GL_EXT_shadow_funcs", glEXT_shadow_funcs),
    FLAG("GL_EXT_stencil_two_side", glEXT_stencil_two_side),
    FLAG("GL_EXT_stencil_wrap", glEXT_stencil_wrap),
    FLAG("GL_EXT_texture_compression_s3tc", glEXT_texture_compression_s3tc),
    FLAG("GL_EXT_texture_env_combine", glEXT_texture_env_combine),
    FLAG("GL_EXT_texture_filter_anisotropic", glEXT_texture_filter_anisotropic),
    FLAG("GL_EXT_texture_lod_bias", glEXT_texture_lod_bias),
    FLAG("GL_EXT_texture_rectangle", glEXT_texture_rectangle),
    FLAG("GL_EXT_vertex_shader", glEXT_vertex_shader),
    FLAG("GL_EXT_vertex_weighting", glEXT_vertex_weighting),
    FLAG("GL_ATI_draw_buffers", glATI_draw_buffers),
    FLAG("GL_ATI_element_array", glATI_element_array),
    FLAG("GL_ATI_envmap_bumpmap", glATI_envmap_bumpmap),
    FLAG("GL_ATI_fragment_shader", glATI_fragment_shader),
    FLAG("GL_ATI_map_object_buffer", glATI_map_object_buffer),
    FLAG("GL_ATI_pn_triangles", glATI_pn_triangles),
    FLAG("GL_ATI_point_cull_mode", glATI_point_cull_mode),
    FLAG("GL_ATI_separate_stencil", glATI_separate_stencil),
    FLAG("GL_ATI_text_fragment_shader", glATI_text_fragment_shader),
    FLAG("GL_ATI_texture_env_combine3", glATI_texture_env_combine3),
    FLAG("GL_ATI_texture_float", glATI_texture_float),
    FLAG("GL_ATI_texture_mirror_once", glATI_texture_mirror_once),
    FLAG("GL_ATI_vertex_array_object", glATI_vertex_array_object),
    FLAG("GL_ATI_vertex_attrib_array_object", glATI_vertex_attrib_array_object),
    FLAG("GL_ATI_vertex_streams", glATI_vertex_streams),
    FLAG("GL_ATIX_point_sprites", glATIX_point_sprites),
    FLAG("GL_ATIX_texture_env_route", glATIX_texture_env_route),
    FLAG("GL_HP_occlusion_test", glHP_occlusion_test),
    FLAG("GL_NV_blend_square", glNV_blend_square),
    FLAG("GL_NV_copy_depth_to_color", glNV_copy_depth_to_color),
    FLAG("GL_NV_depth_clamp", glNV_depth_clamp),
    FLAG("GL_NV_element_array", glNV_element_array),
    FLAG("GL_NV_evaluators", glNV_evaluators),
    FLAG("GL_NV_fence", glNV_fence),
    FLAG("GL_NV_float_buffer", glNV_float_buffer),
    FLAG("GL_NV_fog_distance", glNV_fog_distance),
    FLAG("GL_NV_fragment_program", glNV_fragment_program),
    FLAG("GL_NV_half_float", glNV_half_float),
    FLAG("GL_NV_light_max_exponent", glNV_light_max_exponent),
    FLAG("GL_NV_occlusion_query", glNV_occlusion_query),
    FLAG("GL_NV_packed_depth_stencil", glNV_packed_depth_stencil),
    FLAG("GL_NV_pixel_data_range", glNV_pixel_data_range),
    FLAG("GL_NV_point_sprite", glNV_point_sprite),
    FLAG("GL_NV_primitive_restart", glNV_primitive_restart),
    FLAG("GL_NV_register_combiners", glNV_register_combiners),
    FLAG("GL_NV_register_combiners2", glNV_register_combiners2),
    FLAG("GL_NV_texgen_reflection", glNV_texgen_reflection),
    FLAG("GL_NV_texture_env_combine4", glNV_texture_env_combine4),
    FLAG("GL_NV_texture_expand_normal", glNV_texture_expand_normal),
    FLAG("GL_NV_texture_rectangle", glNV_texture_rectangle),
    FLAG("GL_NV_texture_shader", glNV_texture_shader),
    FLAG("GL_NV_texture_shader2", glNV_texture_shader2),
    FLAG("GL_NV_texture_shader3", glNV_texture_shader3),
    FLAG("GL_NV_vertex_array_range", glNV_vertex_array_range),
    FLAG("GL_NV_vertex_array_range2", glNV_vertex_array_range2),
    FLAG("GL_NV_vertex_program", glNV_vertex_program),
    FLAG("GL_NV_vertex_program1_1", glNV_vertex_program1_1),
    FLAG("GL_NV_vertex_program2", glNV_vertex_program2),
    FLAG("GL_SGIS_generate_mipmap", glSGIS_generate_mipmap),
    FLAG("GL_SGIS_texture_lod", glSGIS_texture_lod),
    FLAG("GL_SGIX_depth_texture", glSGIX_depth_texture),
    FLAG("GL_SGIX_shadow", glSGIX_shadow),
};
const int glExtensionQueryCount = int(std::size(glExtensionQueries));

// The two extensions-string flags are set from the entry-point lookups instead.
const NamedFlag wglExtensionQueries[] = {
    FLAG("WGL_ARB_buffer_region", wglARB_buffer_region),
    FLAG("WGL_ARB_make_current_read", wglARB_make_current_read),
    FLAG("WGL_ARB_multisample", wglARB_multisample),
    FLAG("WGL_ARB_pbuffer", wglARB_pbuffer),
    FLAG("WGL_ARB_pixel_format", wglARB_pixel_format),
    FLAG("WGL_ARB_render_texture", wglARB_render_texture),
    FLAG("WGL_ATI_pixel_format_float", wglATI_pixel_format_float),
    FLAG("WGL_EXT_swap_control", wglEXT_swap_control),
    FLAG("WGL_NV_render_depth_texture", wglNV_render_depth_texture),
    FLAG("WGL_NV_render_texture_rectangle", wglNV_render_texture_rectangle),
};
const int wglExtensionQueryCount = int(std::size(wglExtensionQueries));

// The program functions shared by the ARB vertex and fragment programs.
#define ARB_PROGRAM_ENTRIES                                                          \
    ENTRY(glProgramStringARB), ENTRY(glBindProgramARB), ENTRY(glDeleteProgramsARB), \
    ENTRY(glGenProgramsARB), ENTRY(glProgramEnvParameter4dARB),                     \
    ENTRY(glProgramEnvParameter4dvARB), ENTRY(glProgramEnvParameter4fARB),          \
    ENTRY(glProgramEnvParameter4fvARB), ENTRY(glProgramLocalParameter4dARB),        \
    ENTRY(glProgramLocalParameter4dvARB), ENTRY(glProgramLocalParameter4fARB),      \
    ENTRY(glProgramLocalParameter4fvARB), ENTRY(glGetProgramEnvParameterdvARB),     \
    ENTRY(glGetProgramEnvParameterfvARB), ENTRY(glGetProgramLocalParameterdvARB),   \
    ENTRY(glGetProgramLocalParameterfvARB), ENTRY(glGetProgramivARB),               \
    ENTRY(glGetProgramStringARB), ENTRY(glIsProgramARB)

static const EntryPoint arbFragmentProgram[] = {ARB_PROGRAM_ENTRIES};

static const EntryPoint arbImaging[] = {
    ENTRY(glBlendColor), ENTRY(glBlendEquation),
    ENTRY(glColorTable), ENTRY(glColorTableParameterfv), ENTRY(glColorTableParameteriv),
    ENTRY(glCopyColorTable), ENTRY(glGetColorTable), ENTRY(glGetColorTableParameterfv),
    ENTRY(glGetColorTableParameteriv), ENTRY(glColorSubTable), ENTRY(glCopyColorSubTable),
    ENTRY(glConvolutionFilter1D), ENTRY(glConvolutionFilter2D), ENTRY(glConvolutionParameterf),
    ENTRY(glConvolutionParameterfv), ENTRY(glConvolutionParameteri),
    ENTRY(glConvolutionParameteriv), ENTRY(glCopyConvolutionFilter1D),
    ENTRY(glCopyConvolutionFilter2D), ENTRY(glGetConvolutionFilter),
    ENTRY(glGetConvolutionParameterfv), ENTRY(glGetConvolutionParameteriv),
    ENTRY(glGetSeparableFilter), ENTRY(glSeparableFilter2D),
    ENTRY(glGetHistogram), ENTRY(glGetHistogramParameterfv), ENTRY(glGetHistogramParameteriv),
    ENTRY(glGetMinmax), ENTRY(glGetMinmaxParameterfv), ENTRY(glGetMinmaxParameteriv),
    ENTRY(glHistogram), ENTRY(glMinmax), ENTRY(glResetHistogram), ENTRY(glResetMinmax),
};

static const EntryPoint arbMatrixPalette[] = {
    ENTRY(glCurrentPaletteMatrixARB), ENTRY(glMatrixIndexubvARB), ENTRY(glMatrixIndexusvARB),
    ENTRY(glMatrixIndexuivARB), ENTRY(glMatrixIndexPointerARB),
};

static const EntryPoint arbMultisample[] = {ENTRY(glSampleCoverageARB)};

static const EntryPoint arbMultitexture[] = {
    ENTRY(glActiveTextureARB), ENTRY(glClientActiveTextureARB),
    ENTRY(glMultiTexCoord1dARB), ENTRY(glMultiTexCoord1dvARB), ENTRY(glMultiTexCoord1fARB),
    ENTRY(glMultiTexCoord1fvARB), ENTRY(glMultiTexCoord1iARB), ENTRY(glMultiTexCoord1ivARB),
    ENTRY(glMultiTexCoord1sARB), ENTRY(glMultiTexCoord1svARB),
    ENTRY(glMultiTexCoord2dARB), ENTRY(glMultiTexCoord2dvARB), ENTRY(glMultiTexCoord2fARB),
    ENTRY(glMultiTexCoord2fvARB), ENTRY(glMultiTexCoord2iARB), ENTRY(glMultiTexCoord2ivARB),
    ENTRY(glMultiTexCoord2sARB), ENTRY(glMultiTexCoord2svARB),
    ENTRY(glMultiTexCoord3dARB), ENTRY(glMultiTexCoord3dvARB), ENTRY(glMultiTexCoord3fARB),
    ENTRY(glMultiTexCoord3fvARB), ENTRY(glMultiTexCoord3iARB), ENTRY(glMultiTexCoord3ivARB),
    ENTRY(glMultiTexCoord3sARB), ENTRY(glMultiTexCoord3svARB),
    ENTRY(glMultiTexCoord4dARB), ENTRY(glMultiTexCoord4dvARB), ENTRY(glMultiTexCoord4fARB),
    ENTRY(glMultiTexCoord4fvARB), ENTRY(glMultiTexCoord4iARB), ENTRY(glMultiTexCoord4ivARB),
    ENTRY(glMultiTexCoord4sARB), ENTRY(glMultiTexCoord4svARB),
};

static const EntryPoint arbPointParameters[] = {
    ENTRY(glPointParameterfARB), ENTRY(glPointParameterfvARB),
};

static const EntryPoint arbTextureCompression[] = {
    ENTRY(glCompressedTexImage3DARB), ENTRY(glCompressedTexImage2DARB),
    ENTRY(glCompressedTexImage1DARB), ENTRY(glCompressedTexSubImage3DARB),
    ENTRY(glCompressedTexSubImage2DARB), ENTRY(glCompressedTexSubImage1DARB),
    ENTRY(glGetCompressedTexImageARB),
};

static const EntryPoint arbTransposeMatrix[] = {
    ENTRY(glLoadTransposeMatrixfARB), ENTRY(glLoadTransposeMatrixdARB),
    ENTRY(glMultTransposeMatrixfARB), ENTRY(glMultTransposeMatrixdARB),
};

static const EntryPoint arbVertexBlend[] = {
    ENTRY(glWeightbvARB), ENTRY(glWeightsvARB), ENTRY(glWeightivARB), ENTRY(glWeightfvARB),
    ENTRY(glWeightdvARB), ENTRY(glWeightubvARB), ENTRY(glWeightusvARB), ENTRY(glWeightuivARB),
    ENTRY(glWeightPointerARB), ENTRY(glVertexBlendARB),
};

static const EntryPoint arbVertexBufferObject[] = {
    ENTRY(glBindBufferARB), ENTRY(glDeleteBuffersARB), ENTRY(glGenBuffersARB),
    ENTRY(glIsBufferARB), ENTRY(glBufferDataARB), ENTRY(glBufferSubDataARB),
    ENTRY(glGetBufferSubDataARB), ENTRY(glMapBufferARB), ENTRY(glUnmapBufferARB),
    ENTRY(glGetBufferParameterivARB), ENTRY(glGetBufferPointervARB),
};

static const EntryPoint arbVertexProgram[] = {
    ENTRY(glVertexAttrib1dARB), ENTRY(glVertexAttrib1dvARB), ENTRY(glVertexAttrib1fARB),
    ENTRY(glVertexAttrib1fvARB), ENTRY(glVertexAttrib1sARB), ENTRY(glVertexAttrib1svARB),
    ENTRY(glVertexAttrib2dARB), ENTRY(glVertexAttrib2dvARB), ENTRY(glVertexAttrib2fARB),
    ENTRY(glVertexAttrib2fvARB), ENTRY(glVertexAttrib2sARB), ENTRY(glVertexAttrib2svARB),
    ENTRY(glVertexAttrib3dARB), ENTRY(glVertexAttrib3dvARB), ENTRY(glVertexAttrib3fARB),
    ENTRY(glVertexAttrib3fvARB), ENTRY(glVertexAttrib3sARB), ENTRY(glVertexAttrib3svARB),
    ENTRY(glVertexAttrib4NbvARB), ENTRY(glVertexAttrib4NivARB), ENTRY(glVertexAttrib4NsvARB),
    ENTRY(glVertexAttrib4NubARB), ENTRY(glVertexAttrib4NubvARB), ENTRY(glVertexAttrib4NuivARB),
    ENTRY(glVertexAttrib4NusvARB), ENTRY(glVertexAttrib4bvARB), ENTRY(glVertexAttrib4dARB),
    ENTRY(glVertexAttrib4dvARB), ENTRY(glVertexAttrib4fARB), ENTRY(glVertexAttrib4fvARB),
    ENTRY(glVertexAttrib4ivARB), ENTRY(glVertexAttrib4sARB), ENTRY(glVertexAttrib4svARB),
    ENTRY(glVertexAttrib4ubvARB), ENTRY(glVertexAttrib4uivARB), ENTRY(glVertexAttrib4usvARB),
    ENTRY(glVertexAttribPointerARB), ENTRY(glEnableVertexAttribArrayARB),
    ENTRY(glDisableVertexAttribArrayARB),
    ARB_PROGRAM_ENTRIES,
    ENTRY(glGetVertexAttribdvARB), ENTRY(glGetVertexAttribfvARB), ENTRY(glGetVertexAttribivARB),
    ENTRY(glGetVertexAttribPointervARB),
};

static const EntryPoint arbWindowPos[] = {
    ENTRY(glWindowPos2dARB), ENTRY(glWindowPos2dvARB), ENTRY(glWindowPos2fARB),
    ENTRY(glWindowPos2fvARB), ENTRY(glWindowPos2iARB), ENTRY(glWindowPos2ivARB),
    ENTRY(glWindowPos2sARB), ENTRY(glWindowPos2svARB),
    ENTRY(glWindowPos3dARB), ENTRY(glWindowPos3dvARB), ENTRY(glWindowPos3fARB),
    ENTRY(glWindowPos3fvARB), ENTRY(glWindowPos3iARB), ENTRY(glWindowPos3ivARB),
    ENTRY(glWindowPos3sARB), ENTRY(glWindowPos3svARB),
};

static const EntryPoint extBlendColor[] = {ENTRY(glBlendColorEXT)};
static const EntryPoint extBlendFuncSeparate[] = {ENTRY(glBlendFuncSeparateEXT)};
static const EntryPoint extBlendMinmax[] = {ENTRY(glBlendEquationEXT)};
static const EntryPoint extCompiledVertexArray[] = {
    ENTRY(glLockArraysEXT), ENTRY(glUnlockArraysEXT),
};
static const EntryPoint extCullVertex[] = {
    ENTRY(glCullParameterdvEXT), ENTRY(glCullParameterfvEXT),
};
static const EntryPoint extDepthBoundsTest[] = {ENTRY(glDepthBoundsEXT)};
static const EntryPoint extDrawRangeElements[] = {ENTRY(glDrawRangeElementsEXT)};

static const EntryPoint extFogCoord[] = {
    ENTRY(glFogCoordfEXT), ENTRY(glFogCoordfvEXT), ENTRY(glFogCoorddEXT),
    ENTRY(glFogCoorddvEXT), ENTRY(glFogCoordPointerEXT),
};

static const EntryPoint extMultiDrawArrays[] = {
    ENTRY(glMultiDrawArraysEXT), ENTRY(glMultiDrawElementsEXT),
};

static const EntryPoint extPointParameters[] = {
    ENTRY(glPointParameterfEXT), ENTRY(glPointParameterfvEXT),
};

static const EntryPoint extSecondaryColor[] = {
    ENTRY(glSecondaryColor3bEXT), ENTRY(glSecondaryColor3bvEXT),
    ENTRY(glSecondaryColor3dEXT), ENTRY(glSecondaryColor3dvEXT),
    ENTRY(glSecondaryColor3fEXT), ENTRY(glSecondaryColor3fvEXT),
    ENTRY(glSecondaryColor3iEXT), ENTRY(glSecondaryColor3ivEXT),
    ENTRY(glSecondaryColor3sEXT), ENTRY(glSecondaryColor3svEXT),
    ENTRY(glSecondaryColor3ubEXT), ENTRY(glSecondaryColor3ubvEXT),
    ENTRY(glSecondaryColor3uiEXT), ENTRY(glSecondaryColor3uivEXT),
    ENTRY(glSecondaryColor3usEXT), ENTRY(glSecondaryColor3usvEXT),
    ENTRY(glSecondaryColorPointerEXT),
};

static const EntryPoint extStencilTwoSide[] = {ENTRY(glActiveStencilFaceEXT)};

static const EntryPoint extVertexShader[] = {
    ENTRY(glBeginVertexShaderEXT), ENTRY(glEndVertexShaderEXT), ENTRY(glBindVertexShaderEXT),
    ENTRY(glGenVertexShadersEXT), ENTRY(glDeleteVertexShaderEXT), ENTRY(glShaderOp1EXT),
    ENTRY(glShaderOp2EXT), ENTRY(glShaderOp3EXT), ENTRY(glSwizzleEXT), ENTRY(glWriteMaskEXT),
    ENTRY(glInsertComponentEXT), ENTRY(glExtractComponentEXT), ENTRY(glGenSymbolsEXT),
    ENTRY(glSetInvariantEXT), ENTRY(glSetLocalConstantEXT),
    ENTRY(glVariantbvEXT), ENTRY(glVariantsvEXT), ENTRY(glVariantivEXT), ENTRY(glVariantfvEXT),
    ENTRY(glVariantdvEXT), ENTRY(glVariantubvEXT), ENTRY(glVariantusvEXT),
    ENTRY(glVariantuivEXT), ENTRY(glVariantPointerEXT),
    ENTRY(glEnableVariantClientStateEXT), ENTRY(glDisableVariantClientStateEXT),
    ENTRY(glBindLightParameterEXT), ENTRY(glBindMaterialParameterEXT),
    ENTRY(glBindTexGenParameterEXT), ENTRY(glBindTextureUnitParameterEXT),
    ENTRY(glBindParameterEXT), ENTRY(glIsVariantEnabledEXT),
    ENTRY(glGetVariantBooleanvEXT), ENTRY(glGetVariantIntegervEXT),
    ENTRY(glGetVariantFloatvEXT), ENTRY(glGetVariantPointervEXT),
    ENTRY(glGetInvariantBooleanvEXT), ENTRY(glGetInvariantIntegervEXT),
    ENTRY(glGetInvariantFloatvEXT), ENTRY(glGetLocalConstantBooleanvEXT),
    ENTRY(glGetLocalConstantIntegervEXT), ENTRY(glGetLocalConstantFloatvEXT),
};

static const EntryPoint extVertexWeighting[] = {
    ENTRY(glVertexWeightfEXT), ENTRY(glVertexWeightfvEXT), ENTRY(glVertexWeightPointerEXT),
};

static const EntryPoint atiDrawBuffers[] = {ENTRY(glDrawBuffersATI)};

static const EntryPoint atiElementArray[] = {
    ENTRY(glElementPointerATI), ENTRY(glDrawElementArrayATI),
    ENTRY(glDrawRangeElementArrayATI),
};

static const EntryPoint atiEnvmapBumpmap[] = {
    ENTRY(glTexBumpParameterivATI), ENTRY(glTexBumpParameterfvATI),
    ENTRY(glGetTexBumpParameterivATI), ENTRY(glGetTexBumpParameterfvATI),
};

static const EntryPoint atiFragmentShader[] = {
    ENTRY(glGenFragmentShadersATI), ENTRY(glBindFragmentShaderATI),
    ENTRY(glDeleteFragmentShaderATI), ENTRY(glBeginFragmentShaderATI),
    ENTRY(glEndFragmentShaderATI), ENTRY(glPassTexCoordATI), ENTRY(glSampleMapATI),
    ENTRY(glColorFragmentOp1ATI), ENTRY(glColorFragmentOp2ATI), ENTRY(glColorFragmentOp3ATI),
    ENTRY(glAlphaFragmentOp1ATI), ENTRY(glAlphaFragmentOp2ATI), ENTRY(glAlphaFragmentOp3ATI),
    ENTRY(glSetFragmentShaderConstantATI),
};

static const EntryPoint atiMapObjectBuffer[] = {
    ENTRY(glMapObjectBufferATI), ENTRY(glUnmapObjectBufferATI),
};

static const EntryPoint atiPnTriangles[] = {
    ENTRY(glPNTrianglesiATI), ENTRY(glPNTrianglesfATI),
};

static const EntryPoint atiSeparateStencil[] = {
    ENTRY(glStencilOpSeparateATI), ENTRY(glStencilFuncSeparateATI),
};

static const EntryPoint atiVertexArrayObject[] = {
    ENTRY(glNewObjectBufferATI), ENTRY(glIsObjectBufferATI), ENTRY(glUpdateObjectBufferATI),
    ENTRY(glGetObjectBufferfvATI), ENTRY(glGetObjectBufferivATI), ENTRY(glFreeObjectBufferATI),
    ENTRY(glArrayObjectATI), ENTRY(glGetArrayObjectfvATI), ENTRY(glGetArrayObjectivATI),
    ENTRY(glVariantArrayObjectATI), ENTRY(glGetVariantArrayObjectfvATI),
    ENTRY(glGetVariantArrayObjectivATI),
};

static const EntryPoint atiVertexAttribArrayObject[] = {
    ENTRY(glVertexAttribArrayObjectATI), ENTRY(glGetVertexAttribArrayObjectfvATI),
    ENTRY(glGetVertexAttribArrayObjectivATI),
};

static const EntryPoint atiVertexStreams[] = {
    ENTRY(glVertexStream2sATI), ENTRY(glVertexStream2svATI), ENTRY(glVertexStream2iATI),
    ENTRY(glVertexStream2ivATI), ENTRY(glVertexStream2fATI), ENTRY(glVertexStream2fvATI),
    ENTRY(glVertexStream2dATI), ENTRY(glVertexStream2dvATI),
    ENTRY(glVertexStream3sATI), ENTRY(glVertexStream3svATI), ENTRY(glVertexStream3iATI),
    ENTRY(glVertexStream3ivATI), ENTRY(glVertexStream3fATI), ENTRY(glVertexStream3fvATI),
    ENTRY(glVertexStream3dATI), ENTRY(glVertexStream3dvATI),
    ENTRY(glVertexStream4sATI), ENTRY(glVertexStream4svATI), ENTRY(glVertexStream4iATI),
    ENTRY(glVertexStream4ivATI), ENTRY(glVertexStream4fATI), ENTRY(glVertexStream4fvATI),
    ENTRY(glVertexStream4dATI), ENTRY(glVertexStream4dvATI),
    ENTRY(glNormalStream3bATI), ENTRY(glNormalStream3bvATI), ENTRY(glNormalStream3sATI),
    ENTRY(glNormalStream3svATI), ENTRY(glNormalStream3iATI), ENTRY(glNormalStream3ivATI),
    ENTRY(glNormalStream3fATI), ENTRY(glNormalStream3fvATI), ENTRY(glNormalStream3dATI),
    ENTRY(glNormalStream3dvATI),
    ENTRY(glClientActiveVertexStreamATI), ENTRY(glVertexBlendEnviATI),
    ENTRY(glVertexBlendEnvfATI),
};

static const EntryPoint nvElementArray[] = {
    ENTRY(glElementPointerNV), ENTRY(glDrawElementArrayNV), ENTRY(glDrawRangeElementArrayNV),
    ENTRY(glMultiDrawElementArrayNV), ENTRY(glMultiDrawRangeElementArrayNV),
};

static const EntryPoint nvFence[] = {
    ENTRY(glDeleteFencesNV), ENTRY(glGenFencesNV), ENTRY(glIsFenceNV), ENTRY(glTestFenceNV),
    ENTRY(glGetFenceivNV), ENTRY(glFinishFenceNV), ENTRY(glSetFenceNV),
};

static const EntryPoint nvFragmentProgram[] = {
    ENTRY(glProgramNamedParameter4fNV), ENTRY(glProgramNamedParameter4dNV),
    ENTRY(glProgramNamedParameter4fvNV), ENTRY(glProgramNamedParameter4dvNV),
    ENTRY(glGetProgramNamedParameterfvNV), ENTRY(glGetProgramNamedParameterdvNV),
};

static const EntryPoint nvOcclusionQuery[] = {
    ENTRY(glGenOcclusionQueriesNV), ENTRY(glDeleteOcclusionQueriesNV),
    ENTRY(glIsOcclusionQueryNV), ENTRY(glBeginOcclusionQueryNV),
    ENTRY(glEndOcclusionQueryNV), ENTRY(glGetOcclusionQueryivNV),
    ENTRY(glGetOcclusionQueryuivNV),
};

static const EntryPoint nvPixelDataRange[] = {
    ENTRY(glPixelDataRangeNV), ENTRY(glFlushPixelDataRangeNV),
};

static const EntryPoint nvPointSprite[] = {
    ENTRY(glPointParameteriNV), ENTRY(glPointParameterivNV),
};

static const EntryPoint nvPrimitiveRestart[] = {
    ENTRY(glPrimitiveRestartNV), ENTRY(glPrimitiveRestartIndexNV),
};

static const EntryPoint nvRegisterCombiners[] = {
    ENTRY(glCombinerParameterfvNV), ENTRY(glCombinerParameterfNV),
    ENTRY(glCombinerParameterivNV), ENTRY(glCombinerParameteriNV), ENTRY(glCombinerInputNV),
    ENTRY(glCombinerOutputNV), ENTRY(glFinalCombinerInputNV),
    ENTRY(glGetCombinerInputParameterfvNV), ENTRY(glGetCombinerInputParameterivNV),
    ENTRY(glGetCombinerOutputParameterfvNV), ENTRY(glGetCombinerOutputParameterivNV),
    ENTRY(glGetFinalCombinerInputParameterfvNV), ENTRY(glGetFinalCombinerInputParameterivNV),
};

static const EntryPoint nvRegisterCombiners2[] = {
    ENTRY(glCombinerStageParameterfvNV), ENTRY(glGetCombinerStageParameterfvNV),
};

static const EntryPoint nvVertexArrayRange[] = {
    ENTRY(glFlushVertexArrayRangeNV), ENTRY(glVertexArrayRangeNV),
    ENTRY(wglAllocateMemoryNV), ENTRY(wglFreeMemoryNV),
};

static const EntryPoint nvVertexProgram[] = {
    ENTRY(glAreProgramsResidentNV), ENTRY(glBindProgramNV), ENTRY(glDeleteProgramsNV),
    ENTRY(glExecuteProgramNV), ENTRY(glGenProgramsNV), ENTRY(glGetProgramParameterdvNV),
    ENTRY(glGetProgramParameterfvNV), ENTRY(glGetProgramivNV), ENTRY(glGetProgramStringNV),
    ENTRY(glGetTrackMatrixivNV), ENTRY(glGetVertexAttribdvNV), ENTRY(glGetVertexAttribfvNV),
    ENTRY(glGetVertexAttribivNV), ENTRY(glGetVertexAttribPointervNV), ENTRY(glIsProgramNV),
    ENTRY(glLoadProgramNV), ENTRY(glProgramParameter4dNV), ENTRY(glProgramParameter4dvNV),
    ENTRY(glProgramParameter4fNV), ENTRY(glProgramParameter4fvNV),
    ENTRY(glProgramParameters4dvNV), ENTRY(glProgramParameters4fvNV),
    ENTRY(glRequestResidentProgramsNV), ENTRY(glTrackMatrixNV),
    ENTRY(glVertexAttribPointerNV),
    ENTRY(glVertexAttrib1dNV), ENTRY(glVertexAttrib1dvNV), ENTRY(glVertexAttrib1fNV),
    ENTRY(glVertexAttrib1fvNV), ENTRY(glVertexAttrib1sNV), ENTRY(glVertexAttrib1svNV),
    ENTRY(glVertexAttrib2dNV), ENTRY(glVertexAttrib2dvNV), ENTRY(glVertexAttrib2fNV),
    ENTRY(glVertexAttrib2fvNV), ENTRY(glVertexAttrib2sNV), ENTRY(glVertexAttrib2svNV),
    ENTRY(glVertexAttrib3dNV), ENTRY(glVertexAttrib3dvNV), ENTRY(glVertexAttrib3fNV),
    ENTRY(glVertexAttrib3fvNV), ENTRY(glVertexAttrib3sNV), ENTRY(glVertexAttrib3svNV),
    ENTRY(glVertexAttrib4dNV), ENTRY(glVertexAttrib4dvNV), ENTRY(glVertexAttrib4fNV),
    ENTRY(glVertexAttrib4fvNV), ENTRY(glVertexAttrib4sNV), ENTRY(glVertexAttrib4svNV),
    ENTRY(glVertexAttrib4ubNV), ENTRY(glVertexAttrib4ubvNV),
    ENTRY(glVertexAttribs1dvNV), ENTRY(glVertexAttribs1fvNV), ENTRY(glVertexAttribs1svNV),
    ENTRY(glVertexAttribs2dvNV), ENTRY(glVertexAttribs2fvNV), ENTRY(glVertexAttribs2svNV),
    ENTRY(glVertexAttribs3dvNV), ENTRY(glVertexAttribs3fvNV), ENTRY(glVertexAttribs3svNV),
    ENTRY(glVertexAttribs4dvNV), ENTRY(glVertexAttribs4fvNV), ENTRY(glVertexAttribs4svNV),
    ENTRY(glVertexAttribs4ubvNV),
};

// In the order they run: ARB, EXT, ATI and NV, alphabetical within each group.
const ExtensionLoader glExtensionLoaders[] = {
    {&ExtensionFlags::glARB_fragment_program, LIST(arbFragmentProgram)},
    {&ExtensionFlags::glARB_imaging, LIST(arbImaging)},
    {&ExtensionFlags::glARB_matrix_palette, LIST(arbMatrixPalette)},
    {&ExtensionFlags::glARB_multisample, LIST(arbMultisample)},
    {&ExtensionFlags::glARB_multitexture, LIST(arbMultitexture)},
    {&ExtensionFlags::glARB_point_parameters, LIST(arbPointParameters)},
    {&ExtensionFlags::glARB_texture_compression, LIST(arbTextureCompression)},
    {&ExtensionFlags::glARB_transpose_matrix, LIST(arbTransposeMatrix)},
    {&ExtensionFlags::glARB_vertex_blend, LIST(arbVertexBlend)},
    {&ExtensionFlags::glARB_vertex_buffer_object, LIST(arbVertexBufferObject)},
    {&ExtensionFlags::glARB_vertex_program, LIST(arbVertexProgram)},
    {&ExtensionFlags::glARB_window_pos, LIST(arbWindowPos)},
    {&ExtensionFlags::glEXT_blend_color, LIST(extBlendColor)},
    {&ExtensionFlags::glEXT_blend_func_separate, LIST(extBlendFuncSeparate)},
    {&ExtensionFlags::glEXT_blend_minmax, LIST(extBlendMinmax)},
    {&ExtensionFlags::glEXT_compiled_vertex_array, LIST(extCompiledVertexArray)},
    {&ExtensionFlags::glEXT_cull_vertex, LIST(extCullVertex)},
    {&ExtensionFlags::glEXT_depth_bounds_test, LIST(extDepthBoundsTest)},
    {&ExtensionFlags::glEXT_draw_range_elements, LIST(extDrawRangeElements)},
    {&ExtensionFlags::glEXT_fog_coord, LIST(extFogCoord)},
    {&ExtensionFlags::glEXT_multi_draw_arrays, LIST(extMultiDrawArrays)},
    {&ExtensionFlags::glEXT_point_parameters, LIST(extPointParameters)},
    {&ExtensionFlags::glEXT_secondary_color, LIST(extSecondaryColor)},
    {&ExtensionFlags::glEXT_stencil_two_side, LIST(extStencilTwoSide)},
    {&ExtensionFlags::glEXT_vertex_shader, LIST(extVertexShader)},
    {&ExtensionFlags::glEXT_vertex_weighting, LIST(extVertexWeighting)},
    {&ExtensionFlags::glATI_draw_buffers, LIST(atiDrawBuffers)},
    {&ExtensionFlags::glATI_element_array, LIST(atiElementArray)},
    {&ExtensionFlags::glATI_envmap_bumpmap, LIST(atiEnvmapBumpmap)},
    {&ExtensionFlags::glATI_fragment_shader, LIST(atiFragmentShader)},
    {&ExtensionFlags::glATI_map_object_buffer, LIST(atiMapObjectBuffer)},
    {&ExtensionFlags::glATI_pn_triangles, LIST(atiPnTriangles)},
    {&ExtensionFlags::glATI_separate_stencil, LIST(atiSeparateStencil)},
    {&ExtensionFlags::glATI_vertex_array_object, LIST(atiVertexArrayObject)},
    {&ExtensionFlags::glATI_vertex_attrib_array_object, LIST(atiVertexAttribArrayObject)},
    {&ExtensionFlags::glATI_vertex_streams, LIST(atiVertexStreams)},
    {&ExtensionFlags::glNV_element_array, LIST(nvElementArray)},
    {&ExtensionFlags::glNV_fence, LIST(nvFence)},
    {&ExtensionFlags::glNV_fragment_program, LIST(nvFragmentProgram)},
    {&ExtensionFlags::glNV_occlusion_query, LIST(nvOcclusionQuery)},
    {&ExtensionFlags::glNV_pixel_data_range, LIST(nvPixelDataRange)},
    {&ExtensionFlags::glNV_point_sprite, LIST(nvPointSprite)},
    {&ExtensionFlags::glNV_primitive_restart, LIST(nvPrimitiveRestart)},
    {&ExtensionFlags::glNV_register_combiners, LIST(nvRegisterCombiners)},
    {&ExtensionFlags::glNV_register_combiners2, LIST(nvRegisterCombiners2)},
    {&ExtensionFlags::glNV_vertex_array_range, LIST(nvVertexArrayRange)},
    {&ExtensionFlags::glNV_vertex_program, LIST(nvVertexProgram)},
};
const int glExtensionLoaderCount = int(std::size(glExtensionLoaders));

static const EntryPoint halfFloatBasicEntries[] = {
    ENTRY(glVertex2hNV), ENTRY(glVertex2hvNV), ENTRY(glVertex3hNV), ENTRY(glVertex3hvNV),
    ENTRY(glVertex4hNV), ENTRY(glVertex4hvNV), ENTRY(glNormal3hNV), ENTRY(glNormal3hvNV),
    ENTRY(glColor3hNV), ENTRY(glColor3hvNV), ENTRY(glColor4hNV), ENTRY(glColor4hvNV),
    ENTRY(glTexCoord1hNV), ENTRY(glTexCoord1hvNV), ENTRY(glTexCoord2hNV),
    ENTRY(glTexCoord2hvNV), ENTRY(glTexCoord3hNV), ENTRY(glTexCoord3hvNV),
    ENTRY(glTexCoord4hNV), ENTRY(glTexCoord4hvNV),
};
static const EntryPoint halfFloatMultiTexCoordEntries[] = {
    ENTRY(glMultiTexCoord1hNV), ENTRY(glMultiTexCoord1hvNV), ENTRY(glMultiTexCoord2hNV),
    ENTRY(glMultiTexCoord2hvNV), ENTRY(glMultiTexCoord3hNV), ENTRY(glMultiTexCoord3hvNV),
    ENTRY(glMultiTexCoord4hNV), ENTRY(glMultiTexCoord4hvNV),
};
static const EntryPoint halfFloatFogCoordEntries[] = {
    ENTRY(glFogCoordhNV), ENTRY(glFogCoordhvNV),
};
static const EntryPoint halfFloatSecondaryColorEntries[] = {
    ENTRY(glSecondaryColor3hNV), ENTRY(glSecondaryColor3hvNV),
};
static const EntryPoint halfFloatVertexWeightEntries[] = {
    ENTRY(glVertexWeighthNV), ENTRY(glVertexWeighthvNV),
};
static const EntryPoint halfFloatVertexAttribEntries[] = {
    ENTRY(glVertexAttrib1hNV), ENTRY(glVertexAttrib1hvNV), ENTRY(glVertexAttrib2hNV),
    ENTRY(glVertexAttrib2hvNV), ENTRY(glVertexAttrib3hNV), ENTRY(glVertexAttrib3hvNV),
    ENTRY(glVertexAttrib4hNV), ENTRY(glVertexAttrib4hvNV), ENTRY(glVertexAttribs1hvNV),
    ENTRY(glVertexAttribs2hvNV), ENTRY(glVertexAttribs3hvNV), ENTRY(glVertexAttribs4hvNV),
};
const EntryPointList halfFloatBasic = LIST(halfFloatBasicEntries);
const EntryPointList halfFloatMultiTexCoord = LIST(halfFloatMultiTexCoordEntries);
const EntryPointList halfFloatFogCoord = LIST(halfFloatFogCoordEntries);
const EntryPointList halfFloatSecondaryColor = LIST(halfFloatSecondaryColorEntries);
const EntryPointList halfFloatVertexWeight = LIST(halfFloatVertexWeightEntries);
const EntryPointList halfFloatVertexAttrib = LIST(halfFloatVertexAttribEntries);

static const EntryPoint openGL12Entries[] = {
    ENTRY(glTexImage3D), ENTRY(glTexSubImage3D), ENTRY(glCopyTexSubImage3D),
    ENTRY(glDrawRangeElements),
};

static const EntryPoint openGL13Entries[] = {
    ENTRY(glActiveTexture), ENTRY(glClientActiveTexture),
    ENTRY(glMultiTexCoord1d), ENTRY(glMultiTexCoord1dv), ENTRY(glMultiTexCoord1f),
    ENTRY(glMultiTexCoord1fv), ENTRY(glMultiTexCoord1i), ENTRY(glMultiTexCoord1iv),
    ENTRY(glMultiTexCoord1s), ENTRY(glMultiTexCoord1sv),
    ENTRY(glMultiTexCoord2d), ENTRY(glMultiTexCoord2dv), ENTRY(glMultiTexCoord2f),
    ENTRY(glMultiTexCoord2fv), ENTRY(glMultiTexCoord2i), ENTRY(glMultiTexCoord2iv),
    ENTRY(glMultiTexCoord2s), ENTRY(glMultiTexCoord2sv),
    ENTRY(glMultiTexCoord3d), ENTRY(glMultiTexCoord3dv), ENTRY(glMultiTexCoord3f),
    ENTRY(glMultiTexCoord3fv), ENTRY(glMultiTexCoord3i), ENTRY(glMultiTexCoord3iv),
    ENTRY(glMultiTexCoord3s), ENTRY(glMultiTexCoord3sv),
    ENTRY(glMultiTexCoord4d), ENTRY(glMultiTexCoord4dv), ENTRY(glMultiTexCoord4f),
    ENTRY(glMultiTexCoord4fv), ENTRY(glMultiTexCoord4i), ENTRY(glMultiTexCoord4iv),
    ENTRY(glMultiTexCoord4s), ENTRY(glMultiTexCoord4sv),
    ENTRY(glLoadTransposeMatrixf), ENTRY(glLoadTransposeMatrixd),
    ENTRY(glMultTransposeMatrixf), ENTRY(glMultTransposeMatrixd),
    ENTRY(glCompressedTexImage3D), ENTRY(glCompressedTexImage2D),
    ENTRY(glCompressedTexImage1D), ENTRY(glCompressedTexSubImage3D),
    ENTRY(glCompressedTexSubImage2D), ENTRY(glCompressedTexSubImage1D),
    ENTRY(glGetCompressedTexImage), ENTRY(glSampleCoverage),
};

static const EntryPoint openGL14Entries[] = {
    ENTRY(glBlendColor), ENTRY(glBlendEquation),
    ENTRY(glFogCoordf), ENTRY(glFogCoordfv), ENTRY(glFogCoordd), ENTRY(glFogCoorddv),
    ENTRY(glFogCoordPointer), ENTRY(glMultiDrawArrays), ENTRY(glMultiDrawElements),
    ENTRY(glPointParameterf), ENTRY(glPointParameterfv),
    ENTRY(glSecondaryColor3b), ENTRY(glSecondaryColor3bv), ENTRY(glSecondaryColor3d),
    ENTRY(glSecondaryColor3dv), ENTRY(glSecondaryColor3f), ENTRY(glSecondaryColor3fv),
    ENTRY(glSecondaryColor3i), ENTRY(glSecondaryColor3iv), ENTRY(glSecondaryColor3s),
    ENTRY(glSecondaryColor3sv), ENTRY(glSecondaryColor3ub), ENTRY(glSecondaryColor3ubv),
    ENTRY(glSecondaryColor3ui), ENTRY(glSecondaryColor3uiv), ENTRY(glSecondaryColor3us),
    ENTRY(glSecondaryColor3usv), ENTRY(glSecondaryColorPointer), ENTRY(glBlendFuncSeparate),
    ENTRY(glWindowPos2d), ENTRY(glWindowPos2dv), ENTRY(glWindowPos2f), ENTRY(glWindowPos2fv),
    ENTRY(glWindowPos2i), ENTRY(glWindowPos2iv), ENTRY(glWindowPos2s), ENTRY(glWindowPos2sv),
    ENTRY(glWindowPos3d), ENTRY(glWindowPos3dv), ENTRY(glWindowPos3f), ENTRY(glWindowPos3fv),
    ENTRY(glWindowPos3i), ENTRY(glWindowPos3iv), ENTRY(glWindowPos3s), ENTRY(glWindowPos3sv),
};

const ExtensionLoader versionLoaders[] = {
    {&ExtensionFlags::openGL12, LIST(openGL12Entries)},
    {&ExtensionFlags::openGL13, LIST(openGL13Entries)},
    {&ExtensionFlags::openGL14, LIST(openGL14Entries)},
};
const int versionLoaderCount = int(std::size(versionLoaders));

static const EntryPoint wglArbMakeCurrentRead[] = {
    ENTRY(wglMakeContextCurrentARB), ENTRY(wglGetCurrentReadDCARB),
};
static const EntryPoint wglExtSwapControl[] = {
    ENTRY(wglSwapIntervalEXT), ENTRY(wglGetSwapIntervalEXT),
};
static const EntryPoint wglArbRenderTexture[] = {
    ENTRY(wglBindTexImageARB), ENTRY(wglReleaseTexImageARB), ENTRY(wglSetPbufferAttribARB),
};
static const EntryPoint wglArbPixelFormat[] = {
    ENTRY(wglGetPixelFormatAttribivARB), ENTRY(wglGetPixelFormatAttribfvARB),
    ENTRY(wglChoosePixelFormatARB),
};
static const EntryPoint wglArbPbuffer[] = {
    ENTRY(wglCreatePbufferARB), ENTRY(wglGetPbufferDCARB), ENTRY(wglReleasePbufferDCARB),
    ENTRY(wglDestroyPbufferARB), ENTRY(wglQueryPbufferARB),
};
static const EntryPoint wglArbBufferRegion[] = {
    ENTRY(wglCreateBufferRegionARB), ENTRY(wglDeleteBufferRegionARB),
    ENTRY(wglSaveBufferRegionARB), ENTRY(wglRestoreBufferRegionARB),
};

const ExtensionLoader wglExtensionLoaders[] = {
    {&ExtensionFlags::wglARB_make_current_read, LIST(wglArbMakeCurrentRead)},
    {&ExtensionFlags::wglEXT_swap_control, LIST(wglExtSwapControl)},
    {&ExtensionFlags::wglARB_render_texture, LIST(wglArbRenderTexture)},
    {&ExtensionFlags::wglARB_pixel_format, LIST(wglArbPixelFormat)},
    {&ExtensionFlags::wglARB_pbuffer, LIST(wglArbPbuffer)},
    {&ExtensionFlags::wglARB_buffer_region, LIST(wglArbBufferRegion)},
};
const int wglExtensionLoaderCount = int(std::size(wglExtensionLoaders));
