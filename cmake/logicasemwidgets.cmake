# Logic libraries never need Qt Widgets or Qt PrintSupport (windows and printers live in the
# widgets libraries). Made a build fact three ways:
#  - no logic library may depend, even through another of ours, on those modules;
#  - each logic library is linked whole into a small program with only its own dependencies, so a
#    Widgets or PrintSupport symbol it uses fails the link;
#  - no logic source may include a header of those modules (<QtWidgets/...> would compile, since
#    Qt's include root is on every path).
set(ORBEL_MODULOS_PROIBIDOS Qt6::Widgets Qt6::PrintSupport Qt::Widgets Qt::PrintSupport)

function(orbel_dependencias_proibidas alvo raiz visitados)
  if(NOT TARGET ${alvo} OR "${alvo}" IN_LIST ${visitados})
    return()
  endif()
  list(APPEND ${visitados} ${alvo})
  set(${visitados} ${${visitados}} PARENT_SCOPE)
  get_target_property(tipo ${alvo} TYPE)
  set(deps)
  get_target_property(interface ${alvo} INTERFACE_LINK_LIBRARIES)
  if(interface)
    list(APPEND deps ${interface})
  endif()
  if(NOT tipo STREQUAL "INTERFACE_LIBRARY")
    get_target_property(diretas ${alvo} LINK_LIBRARIES)
    if(diretas)
      list(APPEND deps ${diretas})
    endif()
  endif()
  foreach(dep ${deps})
    if(dep IN_LIST ORBEL_MODULOS_PROIBIDOS)
      message(FATAL_ERROR "${raiz} é lógica e não pode depender de ${dep} (por ${alvo}); "
                          "o que precisa de janelas ou impressora vai para widgets/.")
    endif()
    if(dep MATCHES "^orbel_")
      orbel_dependencias_proibidas(${dep} ${raiz} ${visitados})
      set(${visitados} ${${visitados}} PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

get_property(orbel_logicas GLOBAL PROPERTY ORBEL_LOGIC_LIBS)
foreach(lib ${orbel_logicas})
  set(visitados)
  orbel_dependencias_proibidas(${lib} ${lib} visitados)

  get_target_property(fontes ${lib} SOURCES)
  list(FILTER fontes INCLUDE REGEX "\\.(cpp|h)$")
  set(marca ${PROJECT_BINARY_DIR}/isoladas/${lib}.cabecalhos)
  add_custom_command(OUTPUT ${marca}
    COMMAND ${CMAKE_COMMAND} -DBIBLIOTECA=${lib} "-DFONTES=${fontes}" -DMARCA=${marca}
            -P ${PROJECT_SOURCE_DIR}/cmake/verificacabecalhos.cmake
    DEPENDS ${fontes} ${PROJECT_SOURCE_DIR}/cmake/verificacabecalhos.cmake VERBATIM)
  add_executable(${lib}_isolada ${PROJECT_SOURCE_DIR}/cmake/isolada.cpp ${marca})
  target_link_libraries(${lib}_isolada PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
  set_target_properties(${lib}_isolada PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/isoladas AUTOMOC OFF)
endforeach()
