# The Qt layers above the engine: the controls library and the windows of every subsystem.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
set(CMAKE_AUTOMOC ON)

# controls/ and the engine's Qt bridge: the picture buffer, the LEAD-style control, the chart,
# the control drag layer, the dialog service and the cursors.
file(GLOB controls_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/controls/*.cpp
     ${PROJECT_SOURCE_DIR}/engine/qt/*.cpp)
add_library(vask_controls STATIC ${controls_sources})
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/cursors.qrc)
  qt_add_resources(vask_controls_resources ${PROJECT_SOURCE_DIR}/resources/cursors.qrc)
  target_sources(vask_controls PRIVATE ${vask_controls_resources})
endif()
target_include_directories(vask_controls PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vask_controls PUBLIC Qt6::Widgets engine)
target_precompile_headers(vask_controls PRIVATE <QWidget> <QString> <QImage> <QPainter>)

# Every subsystem folder; windows reach each other through the start-up registry.
set(vask_subsystems shell settings imagewin store processing dragdrop utilities printing)
set(window_sources "")
foreach(folder ${vask_subsystems})
  file(GLOB folder_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND window_sources ${folder_sources})
endforeach()
add_library(vask_windows STATIC ${window_sources})
target_include_directories(vask_windows PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vask_windows PUBLIC vask_controls)
target_precompile_headers(vask_windows PRIVATE <QWidget> <QString> <QLabel> <QCheckBox>
                          <QSpinBox> <QToolButton>)
