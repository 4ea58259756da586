# The layers of Vesk-Builder, bottom to top, and the layers each one uses directly. This is
# the one place the order is written: the layer libraries link what it names (LayerTargets.cmake)
# and the include check holds every folder to it (CheckLayers.cmake). A layer may use every
# layer it reaches downwards, never one above it or beside it.
#
#   shell → panes → document ─┐
#                             ├→ exchange → dbfile → model → text
#                        cli ─┘
#
# Qt is used in panes and shell only.

set(VESK_LAYERS text model dbfile exchange document panes shell cli)

set(VESK_LAYER_USES_text "")
set(VESK_LAYER_USES_model text)
set(VESK_LAYER_USES_dbfile model)
set(VESK_LAYER_USES_exchange dbfile)
set(VESK_LAYER_USES_document exchange)
set(VESK_LAYER_USES_panes document)
set(VESK_LAYER_USES_shell panes)
set(VESK_LAYER_USES_cli exchange)

# All layers below `layer`, nearest first.
function(vesk_layers_below out layer)
  set(below)
  foreach(used IN LISTS VESK_LAYER_USES_${layer})
    vesk_layers_below(deeper ${used})
    list(APPEND below ${used} ${deeper})
  endforeach()
  list(REMOVE_DUPLICATES below)
  set(${out} ${below} PARENT_SCOPE)
endfunction()
