// Finds the OpenGL version of the current context and the GL and WGL extensions
// it offers, and fetches the entry points of each offered extension.
#ifndef SNOWGIG_GLEXTENSIONS_H
#define SNOWGIG_GLEXTENSIONS_H

#include <cstdint>

// Entry points are kept untyped: cast one to its own function type to call it.
typedef void (*GLProc)();

// One flag per extension, 1 when offered, 0 otherwise: 12 WGL flags, 99 GL
// flags, then the three version flags. The layout is fixed.
struct ExtensionFlags {
    int32_t wglARB_buffer_region;
    int32_t wglARB_extensions_string;
    int32_t wglARB_make_current_read;
    int32_t wglARB_multisample;
    int32_t wglARB_pbuffer;
    int32_t wglARB_pixel_format;
    int32_t wglARB_render_texture;
    int32_t wglATI_pixel_format_float;
    int32_t wglEXT_extensions_string;
    int32_t wglEXT_swap_control;
    int32_t wglNV_render_depth_texture;
    int32_t wglNV_render_texture_rectangle;
    int32_t glARB_imaging;
    int32_t glARB_depth_texture;
    int32_t glARB_fragment_program;
    int32_t glARB_matrix_palette;
    int32_t glARB_multisample;
    int32_t glARB_multitexture;
    int32_t glARB_point_parameters;
    int32_t glARB_shadow;
    int32_t glARB_shadow_ambient;
    int32_t glARB_texture_border_clamp;
    int32_t glARB_texture_compression;
    int32_t glARB_texture_cube_map;
    int32_t glARB_texture_env_add;
    int32_t glARB_texture_env_dot3;
    int32_t glARB_texture_env_combine;
    int32_t glARB_texture_env_crossbar;
    int32_t glARB_texture_mirrored_repeat;
    int32_t glARB_transpose_matrix;
    int32_t glARB_vertex_blend;
    int32_t glARB_vertex_buffer_object;
    int32_t glARB_vertex_program;
    int32_t glARB_window_pos;
    int32_t glEXT_abgr;
    int32_t glEXT_bgra;
    int32_t glEXT_blend_color;
    int32_t glEXT_blend_func_separate;
    int32_t glEXT_blend_minmax;
    int32_t glEXT_blend_subtract;
    int32_t glEXT_compiled_vertex_array;
    int32_t glEXT_cull_vertex;
    int32_t glEXT_depth_bounds_test;
    int32_t glEXT_draw_range_elements;
    int32_t glEXT_fog_coord;
    int32_t glEXT_multi_draw_arrays;
    int32_t glEXT_point_parameters;
    int32_t glEXT_secondary_color;
    int32_t glEXT_separate_specular_color;
    int32_t glEXT_shadow_funcs;
    int32_t glEXT_stencil_two_side;
    int32_t glEXT_stencil_wrap;
    int32_t glEXT_texture_compression_s3tc;
    int32_t glEXT_texture_env_combine;
    int32_t glEXT_texture_filter_anisotropic;
    int32_t glEXT_texture_lod_bias;
    int32_t glEXT_texture_rectangle;
    int32_t glEXT_vertex_shader;
    int32_t glEXT_vertex_weighting;
    int32_t glATI_draw_buffers;
    int32_t glATI_element_array;
    int32_t glATI_envmap_bumpmap;
    int32_t glATI_fragment_shader;
    int32_t glATI_map_object_buffer;
    int32_t glATI_pn_triangles;
    int32_t glATI_point_cull_mode;
    int32_t glATI_separate_stencil;
    int32_t glATI_text_fragment_shader;
    int32_t glATI_texture_env_combine3;
    int32_t glATI_texture_float;
    int32_t glATI_texture_mirror_once;
    int32_t glATI_vertex_array_object;
    int32_t glATI_vertex_attrib_array_object;
    int32_t glATI_vertex_streams;
    int32_t glATIX_point_sprites;
    int32_t glATIX_texture_env_route;
    int32_t glHP_occlusion_test;
    int32_t glNV_blend_square;
    int32_t glNV_copy_depth_to_color;
    int32_t glNV_depth_clamp;
    int32_t glNV_element_array;
    int32_t glNV_evaluators;
    int32_t glNV_fence;
    int32_t glNV_float_buffer;
    int32_t glNV_fog_distance;
    int32_t glNV_fragment_program;
    int32_t glNV_half_float;
    int32_t glNV_light_max_exponent;
    int32_t glNV_occlusion_query;
    int32_t glNV_packed_depth_stencil;
    int32_t glNV_pixel_data_range;
    int32_t glNV_point_sprite;
    int32_t glNV_primitive_restart;
    int32_t glNV_register_combiners;
    int32_t glNV_register_combiners2;
    int32_t glNV_texgen_reflection;
    int32_t glNV_texture_env_combine4;
    int32_t glNV_texture_expand_normal;
    int32_t glNV_texture_rectangle;
    int32_t glNV_texture_shader;
    int32_t glNV_texture_shader2;
    int32_t glNV_texture_shader3;
    int32_t glNV_vertex_array_range;
    int32_t glNV_vertex_array_range2;
    int32_t glNV_vertex_program;
    int32_t glNV_vertex_program1_1;
    int32_t glNV_vertex_program2;
    int32_t glSGIS_generate_mipmap;
    int32_t glSGIS_texture_lod;
    int32_t glSGIX_shadow;
    int32_t glSGIX_depth_texture;
    int32_t openGL12;
    int32_t openGL13;
    int32_t openGL14;
};
static_assert(sizeof(ExtensionFlags) == 114 * sizeof(int32_t), "114 flags, no padding");

// One pointer per entry point the loaders fetch, named after it; null until
// fetched and null when the lookup found nothing. An entry point that two
// loaders share has one pointer.
struct GLEntryPoints {
    // WGL_ARB_extensions_string, WGL_EXT_extensions_string
    GLProc wglGetExtensionsStringARB, wglGetExtensionsStringEXT;
    // GL_ARB_fragment_program, GL_ARB_vertex_program
    GLProc glProgramStringARB, glBindProgramARB, glDeleteProgramsARB, glGenProgramsARB,
        glProgramEnvParameter4dARB, glProgramEnvParameter4dvARB, glProgramEnvParameter4fARB,
        glProgramEnvParameter4fvARB, glProgramLocalParameter4dARB, glProgramLocalParameter4dvARB,
        glProgramLocalParameter4fARB, glProgramLocalParameter4fvARB, glGetProgramEnvParameterdvARB,
        glGetProgramEnvParameterfvARB, glGetProgramLocalParameterdvARB,
        glGetProgramLocalParameterfvARB, glGetProgramivARB, glGetProgramStringARB, glIsProgramARB;
    // GL_ARB_imaging (the first two also OpenGL 1.4)
    GLProc glBlendColor, glBlendEquation, glColorTable, glColorTableParameterfv,
        glColorTableParameteriv, glCopyColorTable, glGetColorTable, glGetColorTableParameterfv,
        glGetColorTableParameteriv, glColorSubTable, glCopyColorSubTable, glConvolutionFilter1D,
        glConvolutionFilter2D, glConvolutionParameterf, glConvolutionParameterfv,
        glConvolutionParameteri, glConvolutionParameteriv, glCopyConvolutionFilter1D,
        glCopyConvolutionFilter2D, glGetConvolutionFilter, glGetConvolutionParameterfv,
        glGetConvolutionParameteriv, glGetSeparableFilter, glSeparableFilter2D, glGetHistogram,
        glGetHistogramParameterfv, glGetHistogramParameteriv, glGetMinmax, glGetMinmaxParameterfv,
        glGetMinmaxParameteriv, glHistogram, glMinmax, glResetHistogram, glResetMinmax;
    // GL_ARB_matrix_palette
    GLProc glCurrentPaletteMatrixARB, glMatrixIndexubvARB, glMatrixIndexusvARB, glMatrixIndexuivARB,
        glMatrixIndexPointerARB;
    // GL_ARB_multisample
    GLProc glSampleCoverageARB;
    // GL_ARB_multitexture
    GLProc glActiveTextureARB, glClientActiveTextureARB, glMultiTexCoord1dARB,
        glMultiTexCoord1dvARB, glMultiTexCoord1fARB, glMultiTexCoord1fvARB, glMultiTexCoord1iARB,
        glMultiTexCoord1ivARB, glMultiTexCoord1sARB, glMultiTexCoord1svARB, glMultiTexCoord2dARB,
        glMultiTexCoord2dvARB, glMultiTexCoord2fARB, glMultiTexCoord2fvARB, glMultiTexCoord2iARB,
        glMultiTexCoord2ivARB, glMultiTexCoord2sARB, glMultiTexCoord2svARB, glMultiTexCoord3dARB,
        glMultiTexCoord3dvARB, glMultiTexCoord3fARB, glMultiTexCoord3fvARB, glMultiTexCoord3iARB,
        glMultiTexCoord3ivARB, glMultiTexCoord3sARB, glMultiTexCoord3svARB, glMultiTexCoord4dARB,
        glMultiTexCoord4dvARB, glMultiTexCoord4fARB, glMultiTexCoord4fvARB, glMultiTexCoord4iARB,
        glMultiTexCoord4ivARB, glMultiTexCoord4sARB, glMultiTexCoord4svARB;
    // GL_ARB_point_parameters
    GLProc glPointParameterfARB, glPointParameterfvARB;
    // GL_ARB_texture_compression
    GLProc glCompressedTexImage3DARB, glCompressedTexImage2DARB, glCompressedTexImage1DARB,
        glCompressedTexSubImage3DARB, glCompressedTexSubImage2DARB, glCompressedTexSubImage1DARB,
        glGetCompressedTexImageARB;
    // GL_ARB_transpose_matrix
    GLProc glLoadTransposeMatrixfARB, glLoadTransposeMatrixdARB, glMultTransposeMatrixfARB,
        glMultTransposeMatrixdARB;
    // GL_ARB_vertex_blend
    GLProc glWeightbvARB, glWeightsvARB, glWeightivARB, glWeightfvARB, glWeightdvARB,
        glWeightubvARB, glWeightusvARB, glWeightuivARB, glWeightPointerARB, glVertexBlendARB;
    // GL_ARB_vertex_buffer_object
    GLProc glBindBufferARB, glDeleteBuffersARB, glGenBuffersARB, glIsBufferARB, glBufferDataARB,
        glBufferSubDataARB, glGetBufferSubDataARB, glMapBufferARB, glUnmapBufferARB,
        glGetBufferParameterivARB, glGetBufferPointervARB;
    // GL_ARB_vertex_program
    GLProc glVertexAttrib1dARB, glVertexAttrib1dvARB, glVertexAttrib1fARB, glVertexAttrib1fvARB,
        glVertexAttrib1sARB, glVertexAttrib1svARB, glVertexAttrib2dARB, glVertexAttrib2dvARB,
        glVertexAttrib2fARB, glVertexAttrib2fvARB, glVertexAttrib2sARB, glVertexAttrib2svARB,
        glVertexAttrib3dARB, glVertexAttrib3dvARB, glVertexAttrib3fARB, glVertexAttrib3fvARB,
        glVertexAttrib3sARB, glVertexAttrib3svARB, glVertexAttrib4NbvARB, glVertexAttrib4NivARB,
        glVertexAttrib4NsvARB, glVertexAttrib4NubARB, glVertexAttrib4NubvARB,
        glVertexAttrib4NuivARB, glVertexAttrib4NusvARB, glVertexAttrib4bvARB, glVertexAttrib4dARB,
        glVertexAttrib4dvARB, glVertexAttrib4fARB, glVertexAttrib4fvARB, glVertexAttrib4ivARB,
        glVertexAttrib4sARB, glVertexAttrib4svARB, glVertexAttrib4ubvARB, glVertexAttrib4uivARB,
        glVertexAttrib4usvARB, glVertexAttribPointerARB, glEnableVertexAttribArrayARB,
        glDisableVertexAttribArrayARB, glGetVertexAttribdvARB, glGetVertexAttribfvARB,
        glGetVertexAttribivARB, glGetVertexAttribPointervARB;
    // GL_ARB_window_pos
    GLProc glWindowPos2dARB, glWindowPos2dvARB, glWindowPos2fARB, glWindowPos2fvARB,
        glWindowPos2iARB, glWindowPos2ivARB, glWindowPos2sARB, glWindowPos2svARB, glWindowPos3dARB,
        glWindowPos3dvARB, glWindowPos3fARB, glWindowPos3fvARB, glWindowPos3iARB, glWindowPos3ivARB,
        glWindowPos3sARB, glWindowPos3svARB;
    // GL_EXT_blend_color
    GLProc glBlendColorEXT;
    // GL_EXT_blend_func_separate
    GLProc glBlendFuncSeparateEXT;
    // GL_EXT_blend_minmax
    GLProc glBlendEquationEXT;
    // GL_EXT_compiled_vertex_array
    GLProc glLockArraysEXT, glUnlockArraysEXT;
    // GL_EXT_cull_vertex
    GLProc glCullParameterdvEXT, glCullParameterfvEXT;
    // GL_EXT_depth_bounds_test
    GLProc glDepthBoundsEXT;
    // GL_EXT_draw_range_elements
    GLProc glDrawRangeElementsEXT;
    // GL_EXT_fog_coord
    GLProc glFogCoordfEXT, glFogCoordfvEXT, glFogCoorddEXT, glFogCoorddvEXT, glFogCoordPointerEXT;
    // GL_EXT_multi_draw_arrays
    GLProc glMultiDrawArraysEXT, glMultiDrawElementsEXT;
    // GL_EXT_point_parameters
    GLProc glPointParameterfEXT, glPointParameterfvEXT;
    // GL_EXT_secondary_color
    GLProc glSecondaryColor3bEXT, glSecondaryColor3bvEXT, glSecondaryColor3dEXT,
        glSecondaryColor3dvEXT, glSecondaryColor3fEXT, glSecondaryColor3fvEXT,
        glSecondaryColor3iEXT, glSecondaryColor3ivEXT, glSecondaryColor3sEXT,
        glSecondaryColor3svEXT, glSecondaryColor3ubEXT, glSecondaryColor3ubvEXT,
        glSecondaryColor3uiEXT, glSecondaryColor3uivEXT, glSecondaryColor3usEXT,
        glSecondaryColor3usvEXT, glSecondaryColorPointerEXT;
    // GL_EXT_stencil_two_side
    GLProc glActiveStencilFaceEXT;
    // GL_EXT_vertex_shader
    GLProc glBeginVertexShaderEXT, glEndVertexShaderEXT, glBindVertexShaderEXT,
        glGenVertexShadersEXT, glDeleteVertexShaderEXT, glShaderOp1EXT, glShaderOp2EXT,
        glShaderOp3EXT, glSwizzleEXT, glWriteMaskEXT, glInsertComponentEXT, glExtractComponentEXT,
        glGenSymbolsEXT, glSetInvariantEXT, glSetLocalConstantEXT, glVariantbvEXT, glVariantsvEXT,
        glVariantivEXT, glVariantfvEXT, glVariantdvEXT, glVariantubvEXT, glVariantusvEXT,
        glVariantuivEXT, glVariantPointerEXT, glEnableVariantClientStateEXT,
        glDisableVariantClientStateEXT, glBindLightParameterEXT, glBindMaterialParameterEXT,
        glBindTexGenParameterEXT, glBindTextureUnitParameterEXT, glBindParameterEXT,
        glIsVariantEnabledEXT, glGetVariantBooleanvEXT, glGetVariantIntegervEXT,
        glGetVariantFloatvEXT, glGetVariantPointervEXT, glGetInvariantBooleanvEXT,
        glGetInvariantIntegervEXT, glGetInvariantFloatvEXT, glGetLocalConstantBooleanvEXT,
        glGetLocalConstantIntegervEXT, glGetLocalConstantFloatvEXT;
    // GL_EXT_vertex_weighting
    GLProc glVertexWeightfEXT, glVertexWeightfvEXT, glVertexWeightPointerEXT;
    // GL_ATI_draw_buffers
    GLProc glDrawBuffersATI;
    // GL_ATI_element_array
    GLProc glElementPointerATI, glDrawElementArrayATI, glDrawRangeElementArrayATI;
    // GL_ATI_envmap_bumpmap
    GLProc glTexBumpParameterivATI, glTexBumpParameterfvATI, glGetTexBumpParameterivATI,
        glGetTexBumpParameterfvATI;
    // GL_ATI_fragment_shader
    GLProc glGenFragmentShadersATI, glBindFragmentShaderATI, glDeleteFragmentShaderATI,
        glBeginFragmentShaderATI, glEndFragmentShaderATI, glPassTexCoordATI, glSampleMapATI,
        glColorFragmentOp1ATI, glColorFragmentOp2ATI, glColorFragmentOp3ATI, glAlphaFragmentOp1ATI,
        glAlphaFragmentOp2ATI, glAlphaFragmentOp3ATI, glSetFragmentShaderConstantATI;
    // GL_ATI_map_object_buffer
    GLProc glMapObjectBufferATI, glUnmapObjectBufferATI;
    // GL_ATI_pn_triangles
    GLProc glPNTrianglesiATI, glPNTrianglesfATI;
    // GL_ATI_separate_stencil
    GLProc glStencilOpSeparateATI, glStencilFuncSeparateATI;
    // GL_ATI_vertex_array_object
    GLProc glNewObjectBufferATI, glIsObjectBufferATI, glUpdateObjectBufferATI,
        glGetObjectBufferfvATI, glGetObjectBufferivATI, glFreeObjectBufferATI, glArrayObjectATI,
        glGetArrayObjectfvATI, glGetArrayObjectivATI, glVariantArrayObjectATI,
        glGetVariantArrayObjectfvATI, glGetVariantArrayObjectivATI;
    // GL_ATI_vertex_attrib_array_object
    GLProc glVertexAttribArrayObjectATI, glGetVertexAttribArrayObjectfvATI,
        glGetVertexAttribArrayObjectivATI;
    // GL_ATI_vertex_streams
    GLProc glVertexStream2sATI, glVertexStream2svATI, glVertexStream2iATI, glVertexStream2ivATI,
        glVertexStream2fATI, glVertexStream2fvATI, glVertexStream2dATI, glVertexStream2dvATI,
        glVertexStream3sATI, glVertexStream3svATI, glVertexStream3iATI, glVertexStream3ivATI,
        glVertexStream3fATI, glVertexStream3fvATI, glVertexStream3dATI, glVertexStream3dvATI,
        glVertexStream4sATI, glVertexStream4svATI, glVertexStream4iATI, glVertexStream4ivATI,
        glVertexStream4fATI, glVertexStream4fvATI, glVertexStream4dATI, glVertexStream4dvATI,
        glNormalStream3bATI, glNormalStream3bvATI, glNormalStream3sATI, glNormalStream3svATI,
        glNormalStream3iATI, glNormalStream3ivATI, glNormalStream3fATI, glNormalStream3fvATI,
        glNormalStream3dATI, glNormalStream3dvATI, glClientActiveVertexStreamATI,
        glVertexBlendEnviATI, glVertexBlendEnvfATI;
    // GL_NV_element_array
    GLProc glElementPointerNV, glDrawElementArrayNV, glDrawRangeElementArrayNV,
        glMultiDrawElementArrayNV, glMultiDrawRangeElementArrayNV;
    // GL_NV_fence
    GLProc glDeleteFencesNV, glGenFencesNV, glIsFenceNV, glTestFenceNV, glGetFenceivNV,
        glFinishFenceNV, glSetFenceNV;
    // GL_NV_fragment_program
    GLProc glProgramNamedParameter4fNV, glProgramNamedParameter4dNV, glProgramNamedParameter4fvNV,
        glProgramNamedParameter4dvNV, glGetProgramNamedParameterfvNV,
        glGetProgramNamedParameterdvNV;
    // GL_NV_occlusion_query
    GLProc glGenOcclusionQueriesNV, glDeleteOcclusionQueriesNV, glIsOcclusionQueryNV,
        glBeginOcclusionQueryNV, glEndOcclusionQueryNV, glGetOcclusionQueryivNV,
        glGetOcclusionQueryuivNV;
    // GL_NV_pixel_data_range
    GLProc glPixelDataRangeNV, glFlushPixelDataRangeNV;
    // GL_NV_point_sprite
    GLProc glPointParameteriNV, glPointParameterivNV;
    // GL_NV_primitive_restart
    GLProc glPrimitiveRestartNV, glPrimitiveRestartIndexNV;
    // GL_NV_register_combiners
    GLProc glCombinerParameterfvNV, glCombinerParameterfNV, glCombinerParameterivNV,
        glCombinerParameteriNV, glCombinerInputNV, glCombinerOutputNV, glFinalCombinerInputNV,
        glGetCombinerInputParameterfvNV, glGetCombinerInputParameterivNV,
        glGetCombinerOutputParameterfvNV, glGetCombinerOutputParameterivNV,
        glGetFinalCombinerInputParameterfvNV, glGetFinalCombinerInputParameterivNV;
    // GL_NV_register_combiners2
    GLProc glCombinerStageParameterfvNV, glGetCombinerStageParameterfvNV;
    // GL_NV_vertex_array_range
    GLProc glFlushVertexArrayRangeNV, glVertexArrayRangeNV, wglAllocateMemoryNV, wglFreeMemoryNV;
    // GL_NV_vertex_program
    GLProc glAreProgramsResidentNV, glBindProgramNV, glDeleteProgramsNV, glExecuteProgramNV,
        glGenProgramsNV, glGetProgramParameterdvNV, glGetProgramParameterfvNV, glGetProgramivNV,
        glGetProgramStringNV, glGetTrackMatrixivNV, glGetVertexAttribdvNV, glGetVertexAttribfvNV,
        glGetVertexAttribivNV, glGetVertexAttribPointervNV, glIsProgramNV, glLoadProgramNV,
        glProgramParameter4dNV, glProgramParameter4dvNV, glProgramParameter4fNV,
        glProgramParameter4fvNV, glProgramParameters4dvNV, glProgramParameters4fvNV,
        glRequestResidentProgramsNV, glTrackMatrixNV, glVertexAttribPointerNV, glVertexAttrib1dNV,
        glVertexAttrib1dvNV, glVertexAttrib1fNV, glVertexAttrib1fvNV, glVertexAttrib1sNV,
        glVertexAttrib1svNV, glVertexAttrib2dNV, glVertexAttrib2dvNV, glVertexAttrib2fNV,
        glVertexAttrib2fvNV, glVertexAttrib2sNV, glVertexAttrib2svNV, glVertexAttrib3dNV,
        glVertexAttrib3dvNV, glVertexAttrib3fNV, glVertexAttrib3fvNV, glVertexAttrib3sNV,
        glVertexAttrib3svNV, glVertexAttrib4dNV, glVertexAttrib4dvNV, glVertexAttrib4fNV,
        glVertexAttrib4fvNV, glVertexAttrib4sNV, glVertexAttrib4svNV, glVertexAttrib4ubNV,
        glVertexAttrib4ubvNV, glVertexAttribs1dvNV, glVertexAttribs1fvNV, glVertexAttribs1svNV,
        glVertexAttribs2dvNV, glVertexAttribs2fvNV, glVertexAttribs2svNV, glVertexAttribs3dvNV,
        glVertexAttribs3fvNV, glVertexAttribs3svNV, glVertexAttribs4dvNV, glVertexAttribs4fvNV,
        glVertexAttribs4svNV, glVertexAttribs4ubvNV;
    // GL_NV_half_float
    GLProc glVertex2hNV, glVertex2hvNV, glVertex3hNV, glVertex3hvNV, glVertex4hNV, glVertex4hvNV,
        glNormal3hNV, glNormal3hvNV, glColor3hNV, glColor3hvNV, glColor4hNV, glColor4hvNV,
        glTexCoord1hNV, glTexCoord1hvNV, glTexCoord2hNV, glTexCoord2hvNV, glTexCoord3hNV,
        glTexCoord3hvNV, glTexCoord4hNV, glTexCoord4hvNV;
    GLProc glMultiTexCoord1hNV, glMultiTexCoord1hvNV, glMultiTexCoord2hNV, glMultiTexCoord2hvNV,
        glMultiTexCoord3hNV, glMultiTexCoord3hvNV, glMultiTexCoord4hNV, glMultiTexCoord4hvNV;
    GLProc glFogCoordhNV, glFogCoordhvNV;
    GLProc glSecondaryColor3hNV, glSecondaryColor3hvNV;
    GLProc glVertexWeighthNV, glVertexWeighthvNV;
    GLProc glVertexAttrib1hNV, glVertexAttrib1hvNV, glVertexAttrib2hNV, glVertexAttrib2hvNV,
        glVertexAttrib3hNV, glVertexAttrib3hvNV, glVertexAttrib4hNV, glVertexAttrib4hvNV,
        glVertexAttribs1hvNV, glVertexAttribs2hvNV, glVertexAttribs3hvNV, glVertexAttribs4hvNV;
    // OpenGL 1.2
    GLProc glTexImage3D, glTexSubImage3D, glCopyTexSubImage3D, glDrawRangeElements;
    // OpenGL 1.3
    GLProc glActiveTexture, glClientActiveTexture, glMultiTexCoord1d, glMultiTexCoord1dv,
        glMultiTexCoord1f, glMultiTexCoord1fv, glMultiTexCoord1i, glMultiTexCoord1iv,
        glMultiTexCoord1s, glMultiTexCoord1sv, glMultiTexCoord2d, glMultiTexCoord2dv,
        glMultiTexCoord2f, glMultiTexCoord2fv, glMultiTexCoord2i, glMultiTexCoord2iv,
        glMultiTexCoord2s, glMultiTexCoord2sv, glMultiTexCoord3d, glMultiTexCoord3dv,
        glMultiTexCoord3f, glMultiTexCoord3fv, glMultiTexCoord3i, glMultiTexCoord3iv,
        glMultiTexCoord3s, glMultiTexCoord3sv, glMultiTexCoord4d, glMultiTexCoord4dv,
        glMultiTexCoord4f, glMultiTexCoord4fv, glMultiTexCoord4i, glMultiTexCoord4iv,
        glMultiTexCoord4s, glMultiTexCoord4sv, glLoadTransposeMatrixf, glLoadTransposeMatrixd,
        glMultTransposeMatrixf, glMultTransposeMatrixd, glCompressedTexImage3D,
        glCompressedTexImage2D, glCompressedTexImage1D, glCompressedTexSubImage3D,
        glCompressedTexSubImage2D, glCompressedTexSubImage1D, glGetCompressedTexImage,
        glSampleCoverage;
    // OpenGL 1.4
    GLProc glFogCoordf, glFogCoordfv, glFogCoordd, glFogCoorddv, glFogCoordPointer,
        glMultiDrawArrays, glMultiDrawElements, glPointParameterf, glPointParameterfv,
        glSecondaryColor3b, glSecondaryColor3bv, glSecondaryColor3d, glSecondaryColor3dv,
        glSecondaryColor3f, glSecondaryColor3fv, glSecondaryColor3i, glSecondaryColor3iv,
        glSecondaryColor3s, glSecondaryColor3sv, glSecondaryColor3ub, glSecondaryColor3ubv,
        glSecondaryColor3ui, glSecondaryColor3uiv, glSecondaryColor3us, glSecondaryColor3usv,
        glSecondaryColorPointer, glBlendFuncSeparate, glWindowPos2d, glWindowPos2dv, glWindowPos2f,
        glWindowPos2fv, glWindowPos2i, glWindowPos2iv, glWindowPos2s, glWindowPos2sv, glWindowPos3d,
        glWindowPos3dv, glWindowPos3f, glWindowPos3fv, glWindowPos3i, glWindowPos3iv, glWindowPos3s,
        glWindowPos3sv;
    // WGL_ARB_make_current_read
    GLProc wglMakeContextCurrentARB, wglGetCurrentReadDCARB;
    // WGL_EXT_swap_control
    GLProc wglSwapIntervalEXT, wglGetSwapIntervalEXT;
    // WGL_ARB_render_texture
    GLProc wglBindTexImageARB, wglReleaseTexImageARB, wglSetPbufferAttribARB;
    // WGL_ARB_pixel_format
    GLProc wglGetPixelFormatAttribivARB, wglGetPixelFormatAttribfvARB, wglChoosePixelFormatARB;
    // WGL_ARB_pbuffer
    GLProc wglCreatePbufferARB, wglGetPbufferDCARB, wglReleasePbufferDCARB, wglDestroyPbufferARB,
        wglQueryPbufferARB;
    // WGL_ARB_buffer_region
    GLProc wglCreateBufferRegionARB, wglDeleteBufferRegionARB, wglSaveBufferRegionARB,
        wglRestoreBufferRegionARB;
};

// The flags as detected, and the copy taken at the end of initExtensions.
extern ExtensionFlags extensionFlags;
extern ExtensionFlags supportedExtensions;
extern GLEntryPoints glEntryPoints;

// Every GL extension found so far, each followed by one space. A name that
// would not fit whole is left out.
extern char extensionList[5000];

// Raised to 1 by every entry-point lookup that finds nothing.
extern int32_t lookupFailed;

// Non-zero when the version number at the start of GL_VERSION is at least 1.2,
// 1.3 or 1.4; the same values as the version fields of extensionFlags.
extern const int32_t& openGL12;
extern const int32_t& openGL13;
extern const int32_t& openGL14;

// Detects the version and the extensions and fetches their entry points through
// the platform's lookup (each platform's folder defines it over loadExtensions
// in extensionplatform.h). Needs a current GL context. 0 on success, 1 when an
// offered WGL extension lacks one of its entry points; a GL extension's missing
// entry point leaves its pointer null without failing.
int initExtensions();

// 1 when name is a whole word of the context's GL extension string, and then it
// is appended to extensionList; 0 otherwise, also for an empty name or one with
// a space in it.
int queryExtension(const char* name);

// The same search in the WGL extension string; nothing is appended. 0 when
// neither extensions-string entry point has been fetched.
int queryWglExtension(const char* name);

// The named entry point of the current context, or null (which raises lookupFailed).
GLProc getProcAddress(const char* name);

#endif
