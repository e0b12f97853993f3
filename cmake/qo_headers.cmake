# Each library sees the headers of what it links and nothing else, so an include that points up the
# layers (the runtime reaching for the widget layer, the layer for a window element, a window element
# for the program) fails to build instead of waiting for review.
#
# Sources keep writing includes from src/ ("runtime/data.h", "widgets/layer/control.h"), but src/ is
# on no include path. Instead each library gets a folder of its own in the build tree that holds only
# its own headers under that same path, e.g. build/include/qo_runtime/runtime -> src/runtime. That
# folder is the library's PUBLIC include folder: a target sees it exactly when it links the library,
# directly or through a PUBLIC link, and a PRIVATE link keeps it to the library that made it.
#
# qo_own_headers(<target> [HEADERS a.h b.h ...])
#   Call it in the CMakeLists of the folder the target's sources are in. Without HEADERS the whole
#   folder is linked. With HEADERS only the listed headers are, each by itself, into a real folder:
#   src/widgets needs that, since its subfolder layer/ belongs to qo_layer, and a second way to the
#   layer's headers through qo_widgets would let a target use them without linking the layer.
#
# Links are symbolic. Where the system refuses them (Windows without the right to make them) a
# header that includes the original by its full path stands in for each one; unlike a copy it never
# goes stale. -DQO_HEADER_LINKS=OFF chooses those forwarding headers everywhere.
option(QO_HEADER_LINKS "Expose each library's headers through symbolic links (else forwarding headers)" ON)

function(qo_own_headers target)
  cmake_parse_arguments(H "" "" "HEADERS" ${ARGN})
  if(H_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "qo_own_headers(${target}): unexpected ${H_UNPARSED_ARGUMENTS}")
  endif()
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  if(folder STREQUAL "" OR folder MATCHES "^\\.\\.")
    message(FATAL_ERROR "qo_own_headers(${target}) belongs in the CMakeLists of a folder under src/")
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(exposed ${root}/${folder})

  if(NOT H_HEADERS)
    _qo_expose(${CMAKE_CURRENT_SOURCE_DIR} ${exposed})
  else()
    _qo_folder_of(${exposed} "${H_HEADERS}")
    foreach(header IN LISTS H_HEADERS)
      if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
        message(FATAL_ERROR "qo_own_headers(${target}): ${folder}/${header} does not exist")
      endif()
      _qo_expose(${CMAKE_CURRENT_SOURCE_DIR}/${header} ${exposed}/${header})
    endforeach()
  endif()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
endfunction()

# qo_inside_headers(<target>)
#   For a target that shows only some of its headers (HEADERS above): its own sources see the whole
#   folder, through a folder of its own that nothing else has on its include path. The widget
#   layer's inside (its state, its widgets, how it hands events on) stays its own business so.
function(qo_inside_headers target)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${target}.inside)
  _qo_expose(${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder})
  target_include_directories(${target} PRIVATE $<BUILD_INTERFACE:${root}>)
endfunction()

# Makes <to> lead to <from> (a folder or a header): a symbolic link, else forwarding headers.
function(_qo_expose from to)
  if(QO_HEADER_LINKS)
    if(IS_SYMLINK ${to})
      file(READ_SYMLINK ${to} current)
      if(current STREQUAL from)
        return()
      endif()
    endif()
    _qo_clear(${to})
    get_filename_component(parent ${to} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${from} ${to} RESULT failed SYMBOLIC)
    if(failed EQUAL 0)
      return()
    endif()
    get_property(told GLOBAL PROPERTY QO_HEADER_LINKS_REFUSED)
    if(NOT told)
      set_property(GLOBAL PROPERTY QO_HEADER_LINKS_REFUSED TRUE)
      message(STATUS "No symbolic links in ${CMAKE_BINARY_DIR}/include (${failed}): forwarding headers instead")
    endif()
  endif()

  if(IS_DIRECTORY ${from})
    # The folder's headers are listed nowhere (the layer's folder is read whole), so the configure
    # step reruns when one is added or removed.
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${from} ${from}/*.h)
    _qo_folder_of(${to} "${headers}")
    foreach(header IN LISTS headers)
      _qo_forward(${from}/${header} ${to}/${header})
    endforeach()
  else()
    if(IS_DIRECTORY ${to} AND NOT IS_SYMLINK ${to})
      _qo_clear(${to})
    endif()
    _qo_forward(${from} ${to})
  endif()
endfunction()

# Makes <folder> a real folder holding nothing but <names>: a header taken off the list, or left by
# the other way of exposing, must stop resolving.
function(_qo_folder_of folder names)
  if(IS_SYMLINK ${folder} OR (EXISTS ${folder} AND NOT IS_DIRECTORY ${folder}))
    file(REMOVE ${folder})
  endif()
  file(MAKE_DIRECTORY ${folder})
  file(GLOB present LIST_DIRECTORIES true RELATIVE ${folder} ${folder}/*)
  foreach(entry IN LISTS present)
    if(NOT entry IN_LIST names)
      _qo_clear(${folder}/${entry})
    endif()
  endforeach()
endfunction()

# Removes a link, a forwarding header or a folder of them; a link's target is never touched.
function(_qo_clear path)
  if(IS_SYMLINK ${path} OR (EXISTS ${path} AND NOT IS_DIRECTORY ${path}))
    file(REMOVE ${path})
  elseif(IS_DIRECTORY ${path})
    file(REMOVE_RECURSE ${path})
  endif()
endfunction()

function(_qo_forward from to)
  # file(CONFIGURE) leaves an unchanged file alone, so a reconfigure rebuilds nothing.
  file(CONFIGURE OUTPUT ${to} CONTENT "#include \"${from}\"\n" @ONLY)
endfunction()
